// What a save leaves on disk, read back as a user would, and the odd things
// a user may name as a save's target.
#pragma once

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace saved {

// Every name in the folder, hidden ones too, sorted.
inline std::vector<std::string> Names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

inline std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// `count` copies of `line`, each ended by `end`.
inline std::string Lines(int count, const std::string& line, const std::string& end = "\r\n") {
  // Appended in place: a temporary per line would leave the sanitizers'
  // quarantine, and so this process, large when a child is measured.
  std::string text;
  text.reserve(static_cast<std::size_t>(count) * (line.size() + end.size()));
  for (int i = 0; i < count; ++i) text.append(line).append(end);
  return text;
}

inline void Put(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

enum class Special { Fifo, Socket, Folder, Device };

// Makes one at `path`; false when this process may not (a device node needs
// root). The device is a null device of its own, never the system's.
inline bool Make(Special kind, const std::filesystem::path& path) {
  switch (kind) {
    case Special::Fifo:
      return ::mkfifo(path.c_str(), 0600) == 0;
    case Special::Folder:
      return std::filesystem::create_directory(path);
    case Special::Device:
      return ::mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    case Special::Socket: {
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      if (path.native().size() >= sizeof address.sun_path) return false;
      std::strcpy(address.sun_path, path.c_str());
      const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
      const bool bound =
          ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
      ::close(socket);  // the socket's file stays
      return bound;
    }
  }
  return false;
}

inline std::filesystem::file_type TypeOf(const std::filesystem::path& path) {
  return std::filesystem::symlink_status(path).type();
}

}  // namespace saved
