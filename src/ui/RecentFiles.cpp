#include "ui/RecentFiles.h"

#include <QByteArray>
#include <QVariantList>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "ui/ProgramSettings.h"

namespace {

const QString kKey = QStringLiteral("RecentFiles");

// One entry per file however it was named (relative on the command line,
// absolute from the open dialog).
std::string Absolute(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

void Store(const std::vector<std::string>& paths) {
  QVariantList list;
  for (const std::string& path : paths) list.append(QByteArray::fromStdString(path));
  ProgramSettings()->setValue(kKey, list);
}

std::vector<std::string> Without(const std::string& path) {
  std::vector<std::string> paths = RecentFiles();
  std::erase(paths, Absolute(path));
  return paths;
}

}  // namespace

std::vector<std::string> RecentFiles() {
  std::vector<std::string> paths;
  for (const QVariant& entry : ProgramSettings()->value(kKey).toList()) {
    paths.push_back(entry.toByteArray().toStdString());
  }
  if (paths.size() > kRecentFileCount) paths.resize(kRecentFileCount);
  return paths;
}

void AddRecentFile(const std::string& path) {
  std::vector<std::string> paths = Without(path);
  paths.insert(paths.begin(), Absolute(path));
  if (paths.size() > kRecentFileCount) paths.resize(kRecentFileCount);
  Store(paths);
}

void RemoveRecentFile(const std::string& path) {
  Store(Without(path));
}
