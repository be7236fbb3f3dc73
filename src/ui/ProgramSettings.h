// What the program keeps between runs beyond the settings of its Parts,
// which start from their defaults every time: the recent files and the
// analysis windows' own settings and places, in Qt's settings store.
#pragma once

#include <QSettings>
#include <memory>

std::unique_ptr<QSettings> ProgramSettings();
