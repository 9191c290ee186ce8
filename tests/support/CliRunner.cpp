#include "support/CliRunner.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <pty.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tallimo::test {
namespace {

std::string quoted(const std::string& text) {
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

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

CliResult CliSandbox::run(const std::vector<std::string>& args, const std::string& input) const {
    std::string command = "\"$TALLIMO_CLI\"";
    for (const auto& arg : args) {
        command += ' ' + quoted(arg);
    }
    const std::string inFile = m_dir.file(".stdin");
    {
        std::ofstream in(inFile, std::ios::binary | std::ios::trunc);
        in << input;
    }
    return shell(command + " <" + quoted(inFile));
}

CliResult CliSandbox::shell(const std::string& script) const {
    const std::string home = m_dir.file(".home");
    const std::string errFile = m_dir.file(".stderr");
    std::ostringstream command;
    command << "mkdir -p " << quoted(home) << " && cd " << quoted(m_dir.path().string())
            << " && env HOME=" << quoted(home) << " XDG_CONFIG_HOME=" << quoted(home + "/.config")
            << " TZ=Europe/Berlin LC_ALL=C TALLIMO_CLI=" << quoted(TALLIMO_CLI) << " bash -c "
            << quoted(script) << " 2>" << quoted(errFile);
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
    result.err = slurp(errFile);
    return result;
}

CliResult CliSandbox::runAtTerminal(const std::vector<std::string>& args,
                                    const std::vector<std::string>& environment) const {
    const std::string home = m_dir.file(".home");
    std::vector<std::string> env = {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config",
                                    "TZ=Europe/Berlin", "LC_ALL=C", "TERM=xterm"};
    env.insert(env.end(), environment.begin(), environment.end());
    std::vector<std::string> argv = {TALLIMO_CLI};
    argv.insert(argv.end(), args.begin(), args.end());
    CliResult result;
    std::filesystem::create_directories(home);
    int master = -1;
    const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
    if (child == 0) {
        std::vector<char*> argp;
        std::vector<char*> envp;
        for (auto& arg : argv) {
            argp.push_back(arg.data());
        }
        for (auto& entry : env) {
            envp.push_back(entry.data());
        }
        argp.push_back(nullptr);
        envp.push_back(nullptr);
        if (chdir(m_dir.path().c_str()) == 0) {
            execve(argp[0], argp.data(), envp.data());
        }
        _exit(127);
    }
    if (child < 0) {
        return result;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(master, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break; // EIO once the child has closed the terminal
        }
        result.out.append(buffer, static_cast<std::size_t>(got));
    }
    close(master);
    int status = 0;
    waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
