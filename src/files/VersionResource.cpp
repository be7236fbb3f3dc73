#include "files/VersionResource.h"

#include <cstring>
#include <span>

#include "files/LoggerFile.h"

namespace {

// Little-endian field of `size` bytes at `offset`, if the span holds it.
std::optional<std::uint64_t> Field(std::span<const std::uint8_t> bytes, std::uint64_t offset,
                                   int size) {
  if (offset > bytes.size() || bytes.size() - offset < static_cast<std::uint64_t>(size)) return {};
  std::uint64_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[offset + i];
  return value;
}

struct Section {
  std::uint64_t nameOffset, offset, size;
};

std::optional<Section> SectionHeader(std::span<const std::uint8_t> elf, std::uint64_t at) {
  const auto name = Field(elf, at, 4);
  const auto offset = Field(elf, at + 24, 8);
  const auto size = Field(elf, at + 32, 8);
  if (!name || !offset || !size) return {};
  return Section{*name, *offset, *size};
}

bool NameIs(std::span<const std::uint8_t> elf, std::uint64_t at, const char* name) {
  const std::size_t length = std::strlen(name) + 1;  // with the terminating zero
  if (at > elf.size() || elf.size() - at < length) return false;
  return std::memcmp(elf.data() + at, name, length) == 0;
}

}  // namespace

std::optional<VersionResource> ReadVersionResource(const std::string& path) {
  const FileReadResult file = ReadWholeFile(path);
  if (file.status != FileReadStatus::Ok) return {};
  const std::span<const std::uint8_t> elf(file.bytes);
  static constexpr std::uint8_t kElf64Le[6] = {0x7F, 'E', 'L', 'F', 2, 1};
  if (elf.size() < 64 || std::memcmp(elf.data(), kElf64Le, sizeof kElf64Le) != 0) return {};

  const std::uint64_t tableOffset = *Field(elf, 0x28, 8);
  const std::uint64_t entrySize = *Field(elf, 0x3A, 2);
  const std::uint64_t count = *Field(elf, 0x3C, 2);
  const std::uint64_t namesIndex = *Field(elf, 0x3E, 2);
  if (entrySize < 40 || namesIndex >= count) return {};
  const auto names = SectionHeader(elf, tableOffset + namesIndex * entrySize);
  if (!names) return {};

  for (std::uint64_t i = 0; i < count; ++i) {
    const auto section = SectionHeader(elf, tableOffset + i * entrySize);
    if (!section || !NameIs(elf, names->offset + section->nameOffset, kVersionSectionName))
      continue;
    if (section->size < sizeof(VersionResource) || section->offset > elf.size() ||
        elf.size() - section->offset < sizeof(VersionResource)) {
      return {};
    }
    VersionResource version;
    std::memcpy(&version, elf.data() + section->offset, sizeof version);
    if (std::memcmp(version.tag, kVersionTag, sizeof kVersionTag) != 0) return {};
    return version;
  }
  return {};
}

std::string VersionText(const std::optional<VersionResource>& version) {
  if (!version) return {};
  return " Ver " + std::to_string(version->mostSignificant >> 16) + "." +
         std::to_string(version->mostSignificant & 0xFFFF) + "." +
         std::to_string(version->leastSignificant >> 16) + "." +
         std::to_string(version->leastSignificant & 0xFFFF);
}
