#pragma once

#include "support/TempDir.h"

#include <string>
#include <vector>

namespace tallimo::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built tallimo-cli with the given arguments in a sandbox: its own settings store
// (HOME and XDG_CONFIG_HOME point into the sandbox), TZ Europe/Berlin, no terminal on stdin.
class CliSandbox {
public:
    CliResult run(const std::vector<std::string>& args) const;
    // Runs a bash script in the same sandbox; "$TALLIMO_CLI" names the program.
    CliResult shell(const std::string& script) const;
    // Runs the program with a pseudo-terminal as its standard output (TERM=xterm), with the
    // extra environment given ("NAME=value"); line ends come back as "\n".
    CliResult runAtTerminal(const std::vector<std::string>& args,
                            const std::vector<std::string>& environment = {}) const;
    std::string file(const std::string& name) const { return m_dir.file(name); }

private:
    TempDir m_dir;
};

// The TSV lines of one table ("work" or "squad") that 'show FILE' prints, without its headings.
std::vector<std::string> shownTable(const CliSandbox& sandbox, const std::string& file,
                                    const std::string& table);
// The lines of a text, without their line ends.
std::vector<std::string> linesOf(const std::string& text);
// The cells of one TSV line.
std::vector<std::string> cellsOf(const std::string& line);

} // namespace tallimo::test
