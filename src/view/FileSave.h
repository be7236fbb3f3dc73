// Saves from the windows: every file goes through the core's file writer,
// and a failure comes back as the user's text instead of an exception, so a
// dialog can say why and stay open.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

class FileWriter;
class QWidget;
class UserDialogs;

// Why a file was not written, for the user; empty when it is complete.
using ExportFailure = std::optional<QString>;

// `write` fills the writer of `path`, which then puts the file in place. A
// FileWriteError thrown on the way (by the writer or by `write`) is the
// failure; the old file stays as it was and nothing else is left.
[[nodiscard]] ExportFailure SaveFile(const QString& path,
                                     const std::function<void(FileWriter&)>& write);

// Runs `write`, a save through the file writer; the failure is the text of
// the FileWriteError it throws.
[[nodiscard]] ExportFailure Saved(const std::function<void()>& write);

// "Не удалось записать файл «PATH» (REASON)." for a cause the writer does
// not know, such as a library's own error.
QString WriteFailureText(const QString& path, const QString& reason);

// A path as the system's bytes, for the core's writers.
std::string SystemPath(const QString& path);

// The name of a file of `filter` ("CSV (*.csv)") to save, asked of the
// user; nothing when cancelled.
std::optional<QString> AskSaveName(UserDialogs& dialogs, QWidget* parent, const QString& filter,
                                   const QString& suffix);
