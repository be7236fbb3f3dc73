// The recordings opened last, newest first, kept between runs in the
// program's settings store. Paths are the bytes the system uses, so a name
// that is not UTF-8 is found again.
#pragma once

#include <string>
#include <vector>

inline constexpr std::size_t kRecentFileCount = 8;

std::vector<std::string> RecentFiles();
// Puts the file at the front of the list, once; the oldest beyond
// kRecentFileCount go.
void AddRecentFile(const std::string& path);
void RemoveRecentFile(const std::string& path);
