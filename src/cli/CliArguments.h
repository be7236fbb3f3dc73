// The command line of torvik-cli: a command, its options and its operands.
// File names stay the bytes they were given, whatever their encoding.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A command line that cannot be used: exit 2 with `why` and the usage.
struct UsageError {
  std::string why;
};

class CliArguments {
 public:
  // Throws UsageError for an unknown option or a value option without value.
  CliArguments(int argc, const char* const* argv);

  bool HelpRequested() const { return help_; }
  bool VersionRequested() const { return version_; }
  // Empty when none was given.
  const std::string& Command() const { return command_; }
  // The operands after the command.
  const std::vector<std::string>& Operands() const { return operands_; }
  bool Flag(std::string_view name) const;
  // The value of an option as given; nothing when absent.
  std::optional<std::string> Value(std::string_view name) const;
  // The first option given (its name, without "--") that is not among
  // `allowed`; nothing when every option given is allowed.
  std::optional<std::string> OptionOutside(std::span<const std::string_view> allowed) const;

 private:
  void Take(const std::vector<std::string_view>& words);

  bool help_ = false;
  bool version_ = false;
  std::string command_;
  std::vector<std::string> operands_;
  std::set<std::string, std::less<>> flags_;
  std::map<std::string, std::string, std::less<>> values_;
  std::vector<std::string> given_;  // option names in the order given
};
