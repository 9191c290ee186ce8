#pragma once

#include "platform/LibraryLoader.h"
#include "platform/SettingsStore.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tallimo::cli {

// What tallimo-cli runs with: its streams, the adapters of the seams and what it found about
// standard output. main() hands in the real ones; tests hand in fakes.
struct CliEnvironment {
    std::ostream& out;
    std::ostream& err;
    SettingsStore& store;
    LibraryLoader& libraries;
    bool terminal = false; // standard output is a terminal
    bool colour = false;   // ... that may be written in colour
};

// Runs one command line (without the program's name) and returns the exit status. The settings
// store is written at most once, at the end, and only when a value changed.
int runCli(const std::vector<std::string>& arguments, CliEnvironment& environment);

} // namespace tallimo::cli
