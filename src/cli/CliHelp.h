// What torvik-cli says of itself: the usage line of every command, and the
// help with each option's unit, range and default, the defaults taken from
// the constants the commands use.
#pragma once

#include <string>

std::string UsageText();
std::string HelpText();
