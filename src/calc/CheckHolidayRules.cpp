// Run by the build on every rule file before they are built into the program, so that a line
// the engine does not understand stops the build with its file and line named.
#include "calc/HolidayRules.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

int main(int argc, char** argv) {
    std::map<std::string, std::string, std::less<>> texts; // region code -> file text
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        if (!file) {
            std::cerr << argv[i] << ": cannot be read\n";
            return 1;
        }
        texts[std::filesystem::path(argv[i]).stem().string()] = text.str();
    }
    const auto lookup = [&texts](std::string_view region) -> std::optional<std::string_view> {
        const auto found = texts.find(region);
        return found == texts.end() ? std::nullopt : std::optional<std::string_view>(found->second);
    };
    int status = 0;
    for (const auto& [region, text] : texts) {
        if (const auto parsed = tallimo::parseHolidayRules(text, lookup); !parsed.error.empty()) {
            std::cerr << "resources/holidays/" << region << ".rules " << parsed.error << '\n';
            status = 1;
        }
    }
    return status;
}
