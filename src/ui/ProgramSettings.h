// What the program keeps between runs, in Qt's settings store: the recent
// files and the analysis windows' own settings and places. The measurement
// settings, the view items and the inversion start from their defaults on
// every run and are not kept.
#pragma once

#include <QSettings>
#include <memory>

std::unique_ptr<QSettings> ProgramSettings();
