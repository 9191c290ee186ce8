#include "support/CliRunner.h"

#include <cstdio>
#include <sstream>
#include <sys/wait.h>

namespace tallimo::test {
namespace {

std::string shellQuoted(const std::string& text) {
    std::string result = "'";
    for (const char c : text) {
        if (c == '\'') {
            result += "'\\''";
        } else {
            result += c;
        }
    }
    return result + "'";
}

// The program with its arguments as a shell command line.
std::string commandLine(const std::vector<std::string>& args) {
    std::string command = "\"$TALLIMO_CLI\"";
    for (const auto& arg : args) {
        command += ' ' + shellQuoted(arg);
    }
    return command;
}

} // namespace

CliResult CliSandbox::run(const std::vector<std::string>& args) const {
    return shell(commandLine(args) + " </dev/null");
}

CliResult CliSandbox::shell(const std::string& script) const {
    const std::string home = m_dir.file(".home");
    const std::string errFile = m_dir.file(".stderr");
    std::ostringstream command;
    command << "mkdir -p " << shellQuoted(home) << " && cd " << shellQuoted(m_dir.path().string())
            << " && env HOME=" << shellQuoted(home)
            << " XDG_CONFIG_HOME=" << shellQuoted(home + "/.config")
            << " TZ=Europe/Berlin LC_ALL=C TALLIMO_CLI=" << shellQuoted(TALLIMO_CLI) << " bash -c "
            << shellQuoted(script) << " 2>" << shellQuoted(errFile);
    CliResult result;
    FILE* pipe = popen(command.str().c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    std::size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, got);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = readText(errFile);
    return result;
}

CliResult CliSandbox::runAtTerminal(const std::vector<std::string>& args,
                                    const std::vector<std::string>& environment) const {
    std::string command = "env TERM=xterm";
    for (const auto& entry : environment) {
        command += ' ' + shellQuoted(entry);
    }
    command += ' ' + commandLine(args);
    // script(1) gives the program a pseudo-terminal, which turns its line ends into "\r\n".
    CliResult result = shell("script -qec " + shellQuoted(command) + " /dev/null </dev/null");
    for (std::size_t at; (at = result.out.find("\r\n")) != std::string::npos;) {
        result.out.erase(at, 1);
    }
    return result;
}

std::vector<std::string> shownTable(const CliSandbox& sandbox, const std::string& file,
                                    const std::string& table) {
    std::istringstream in(sandbox.run({"show", file}).out);
    std::vector<std::string> lines;
    std::string current;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("# ")) {
            current = line.substr(2);
            std::getline(in, line);
        } else if (current == table) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> cellsOf(const std::string& line) {
    std::vector<std::string> cells;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, '\t');) {
        cells.push_back(cell);
    }
    if (!line.empty() && line.back() == '\t') {
        cells.emplace_back();
    }
    return cells;
}

} // namespace tallimo::test
