// The program's four-part file version, embedded by the build in a section of
// its own executable and read back from the program file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

inline constexpr const char* kVersionSectionName = ".torvik_version";

// The section's contents: a tag, then the two file-version words
// (major.minor in the most significant word, patch.build in the least).
struct VersionResource {
  char tag[8];
  std::uint32_t mostSignificant;
  std::uint32_t leastSignificant;
};

inline constexpr char kVersionTag[8] = {'T', 'R', 'V', 'K', 'V', 'E', 'R', '1'};

constexpr VersionResource MakeVersionResource(unsigned major, unsigned minor, unsigned patch,
                                              unsigned build) {
  return {{'T', 'R', 'V', 'K', 'V', 'E', 'R', '1'},
          (major & 0xFFFF) << 16 | (minor & 0xFFFF),
          (patch & 0xFFFF) << 16 | (build & 0xFFFF)};
}

// The version section of a 64-bit little-endian ELF file; nothing when the file
// cannot be read, is no such file, or has no (valid) version section.
std::optional<VersionResource> ReadVersionResource(const std::string& path);

// " Ver a.b.c.d", or an empty text when the file carries no version.
std::string VersionText(const std::optional<VersionResource>& version);
