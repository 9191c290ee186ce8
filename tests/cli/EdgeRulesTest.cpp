#include "support/CliRunner.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace tallimo::test {
namespace {

using Options = std::set<std::string>;

Options optionsIn(const std::string& text) {
    static const std::regex option("--[a-z][a-z-]*");
    Options found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
         it != std::sregex_iterator(); ++it) {
        found.insert(it->str());
    }
    return found;
}

std::string packagingFile(const std::string& name) {
    std::ifstream in(std::string(TALLIMO_SOURCE_DIR) + "/packaging/" + name);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The options of a command's entry in the man page: the line after .TP that names it.
Options manPageOptions(const std::string& page, const std::string& command) {
    const std::vector<std::string> lines = linesOf(page);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string line = std::regex_replace(lines[i], std::regex(R"(\\-)"), "-");
        line = std::regex_replace(line, std::regex(R"(\\f[BIRP]|")"), "");
        if (lines[i - 1] == ".TP" &&
            std::regex_search(line, std::regex("^\\.B[IR]? " + command + "( |$)"))) {
            return optionsIn(line);
        }
    }
    ADD_FAILURE() << "the man page has no entry of " << command;
    return {};
}

// The options the completion offers after a command (its values such as "=auto" cut off).
Options completionOptions(const std::string& script, const std::string& command) {
    static const std::regex arm(R"(^\s*([a-z| -]+)\) options="([^"]*)\")");
    for (const std::string& line : linesOf(script)) {
        std::smatch match;
        if (std::regex_search(line, match, arm) &&
            std::regex_search(match[1].str(), std::regex("(^| )" + command + "( |$)"))) {
            return optionsIn(match[2].str());
        }
    }
    return {};
}

TEST(CliDocumentation, ManPageAndCompletionOfferExactlyTheOptionsOfEachCommandsHelp) {
    CliSandbox sandbox;
    const std::string page = packagingFile("man/tallimo-cli.1");
    const std::string completion = packagingFile("bash-completion/tallimo-cli");
    const std::string overview = sandbox.run({"help"}).out;
    const std::size_t from = overview.find("Commands:\n");
    ASSERT_NE(from, std::string::npos);
    int commands = 0;
    for (const std::string& line : linesOf(overview.substr(from + 10))) {
        if (line.empty()) {
            break;
        }
        const std::string command = line.substr(2, line.find(' ', 2) - 2);
        if (command == "help") {
            continue;
        }
        SCOPED_TRACE(command);
        ++commands;
        const Options listed = optionsIn(linesOf(sandbox.run({"help", command}).out).at(0));
        EXPECT_EQ(manPageOptions(page, command), listed);
        EXPECT_EQ(completionOptions(completion, command), listed);
    }
    EXPECT_GE(commands, 16);
}

TEST(CliSquadFinish, ARowNumberEqualToTheNumberOfRowsIsRefused) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    ASSERT_EQ(sandbox
                  .run({"squad-add", "m.time", "--start", "03.03.2006 17:00:00", "--end",
                        "04.03.2006 08:00:00"})
                  .status,
              0);
    const CliResult finish = sandbox.run({"squad-finish", "m.time", "--row", "1"});
    EXPECT_EQ(finish.status, 1);
    EXPECT_EQ(finish.err,
              "tallimo-cli: squad-finish: squad row 1 does not exist (the file has 1)\n");
}

TEST(CliBalance, ABackupNamedOnTheCommandLineIsNoMonth) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2024-02", "feb.time"}).status, 0);
    ASSERT_EQ(sandbox.run({"set", "feb.time", "1", "--enter", "08:00", "--leave", "18:00"}).status,
              0);
    std::filesystem::copy_file(sandbox.file("feb.time"), sandbox.file("feb.time20240301.bak"));
    const CliResult balance = sandbox.run({"balance", "feb.time", "feb.time20240301.bak"});
    EXPECT_EQ(balance.status, 0);
    EXPECT_EQ(balance.err, "");
    EXPECT_EQ(balance.out, "Month    Overtime  Stand-by  Balance   File\n"
                           "Start                        00:00:00\n"
                           "2024-02  01:00:00  00:00:00  01:00:00  feb.time\n"
                           "Total    01:00:00  00:00:00  01:00:00\n");
}

} // namespace
} // namespace tallimo::test
