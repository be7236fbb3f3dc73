// Loading the files the command-line tool is given.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "app/Recording.h"

struct LoadedFile {
  std::unique_ptr<Recording> recording;
  QString warning;  // e.g. a file longer than the recording's capacity
};

// A name ending in ".dat" (any case) is read as a logger file, any other as
// a codes text file. The name is used as the bytes it is. On failure:
// nothing, and the program's message.
std::optional<LoadedFile> LoadRecording(const std::string& path, QString& message);
