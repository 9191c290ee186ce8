// tallimo-cli: the time sheet commands from a terminal, on the same view commands as the desktop.
#include "cli/CliMain.h"
#include "platform/posix/DlLibraryLoader.h"
#include "platform/posix/IniSettingsStore.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    tallimo::IniSettingsStore store;
    store.setWarningHandler(
        [](const std::string& text) { std::cerr << "tallimo-cli: warning: " << text << "\n"; });
    tallimo::DlLibraryLoader libraries;
    const char* noColour = std::getenv("NO_COLOR");
    const char* terminalType = std::getenv("TERM");
    tallimo::cli::CliEnvironment environment{std::cout, std::cerr, store, libraries};
    environment.terminal = isatty(STDOUT_FILENO) != 0;
    environment.colour = environment.terminal && (noColour == nullptr || *noColour == '\0') &&
                         (terminalType == nullptr || std::strcmp(terminalType, "dumb") != 0);
    return tallimo::cli::runCli({argv + 1, argv + argc}, environment);
}
