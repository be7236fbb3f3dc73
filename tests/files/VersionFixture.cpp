// A program file that carries the version 16.11.15.1, for the version reader's tests.
#include "files/VersionResource.h"

[[gnu::section(".torvik_version"), gnu::used]] const VersionResource kFixtureVersion =
    MakeVersionResource(16, 11, 15, 1);

int main() {
  return 0;
}
