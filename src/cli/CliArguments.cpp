#include "cli/CliArguments.h"

#include <algorithm>
#include <array>

namespace {

// Every option of any command; each command accepts only its own.
constexpr std::array<std::string_view, 21> kValueOptions = {
    "from",  "gap",  "to",         "bound", "cutoff",     "kind",     "response",
    "order", "f1",   "f2",         "rate",  "ripple",     "segment",  "band",
    "fmin",  "fmax", "per-octave", "q",     "fall-level", "min-fall", "units"};
constexpr std::array<std::string_view, 6> kFlagOptions = {"codes",        "invert", "correct-speed",
                                                          "manual-reset", "design", "csv"};

bool Contains(std::span<const std::string_view> list, std::string_view name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

}  // namespace

CliArguments::CliArguments(int argc, const char* const* argv) {
  std::vector<std::string_view> words;
  for (int i = 1; i < argc; ++i) words.emplace_back(argv[i]);
  Take(words);
}

void CliArguments::Take(const std::vector<std::string_view>& words) {
  bool optionsEnded = false;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string_view word = words[i];
    if (optionsEnded || word.size() < 2 || word[0] != '-') {
      positional.emplace_back(word);
    } else if (word == "--") {
      optionsEnded = true;
    } else if (word == "-h" || word == "--help") {
      help_ = true;
    } else if (word == "--version") {
      version_ = true;
    } else if (word.starts_with("--")) {
      const std::size_t equals = word.find('=');
      const std::string name(
          word.substr(2, equals == std::string_view::npos ? word.npos : equals - 2));
      given_.push_back(name);
      if (Contains(kValueOptions, name)) {
        if (equals != std::string_view::npos) {
          values_[name] = std::string(word.substr(equals + 1));
        } else if (i + 1 < words.size()) {
          values_[name] = std::string(words[++i]);
        } else {
          throw UsageError{"--" + name + " needs a value"};
        }
      } else if (Contains(kFlagOptions, name) && equals == std::string_view::npos) {
        flags_.insert(name);
      } else {
        throw UsageError{"unknown option " + std::string(word)};
      }
    } else {
      throw UsageError{"unknown option " + std::string(word)};
    }
  }
  if (!positional.empty()) {
    command_ = positional.front();
    operands_.assign(positional.begin() + 1, positional.end());
  }
}

bool CliArguments::Flag(std::string_view name) const {
  return flags_.contains(name);
}

std::optional<std::string> CliArguments::Value(std::string_view name) const {
  const auto found = values_.find(name);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> CliArguments::OptionOutside(
    std::span<const std::string_view> allowed) const {
  for (const std::string& name : given_) {
    if (!Contains(allowed, name)) return name;
  }
  return std::nullopt;
}
