// Saves from the windows: every file goes through the core's file writer,
// and a failure comes back as the user's text instead of an exception, so a
// dialog can say why and stay open.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string_view>

class FileWriter;

// Why a file was not written, for the user; empty when it is complete.
using ExportFailure = std::optional<QString>;

// `write` fills the writer of `path`, which then puts the file in place. A
// FileWriteError thrown on the way (by the writer or by `write`) is the
// failure; the old file stays as it was and nothing else is left.
[[nodiscard]] ExportFailure SaveFile(const QString& path,
                                     const std::function<void(FileWriter&)>& write);
[[nodiscard]] ExportFailure SaveFile(const QString& path, std::string_view bytes);

// "Не удалось записать файл «PATH» (REASON)." for a cause the writer does
// not know, such as a library's own error.
QString WriteFailureText(const QString& path, const QString& reason);
