#include "cli/CliArguments.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

namespace tallimo::cli {
namespace {

std::optional<int> parseNumber(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::vector<int>> parseNumberList(std::string_view list, int minimum) {
    // Ranges are bounded so that a typo cannot ask for billions of rows.
    constexpr int kLargest = 1000000;
    std::vector<int> numbers;
    std::unordered_set<int> seen;
    while (!list.empty()) {
        const auto comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        const auto dash = item.find('-');
        const auto first = parseNumber(item.substr(0, dash));
        const auto last =
            dash == std::string_view::npos ? first : parseNumber(item.substr(dash + 1));
        if (!first || !last || *first < minimum || *last < *first || *last > kLargest) {
            return std::nullopt;
        }
        for (int number = *first; number <= *last; ++number) {
            if (seen.insert(number).second) {
                numbers.push_back(number);
            }
        }
        if (comma != std::string_view::npos && list.empty()) {
            return std::nullopt;
        }
    }
    if (numbers.empty()) {
        return std::nullopt;
    }
    return numbers;
}

std::optional<std::string> ParsedArguments::option(std::string_view name) const {
    for (const auto& [key, value] : options) {
        if (key == name) {
            return value;
        }
    }
    return std::nullopt;
}

bool ParsedArguments::flag(std::string_view name) const {
    return std::find(flags.begin(), flags.end(), name) != flags.end();
}

ParsedArguments parseArguments(const std::vector<std::string>& args,
                               const std::vector<std::string_view>& valueOptions,
                               const std::vector<std::string_view>& flagOptions) {
    ParsedArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!arg.starts_with("--")) {
            parsed.positional.push_back(arg);
        } else if (std::find(flagOptions.begin(), flagOptions.end(), arg) != flagOptions.end()) {
            parsed.flags.push_back(arg);
        } else if (std::find(valueOptions.begin(), valueOptions.end(), arg) == valueOptions.end()) {
            parsed.error = "unknown option '" + arg + "'";
        } else if (i + 1 >= args.size()) {
            parsed.error = arg + " needs a value";
        } else {
            parsed.options.emplace_back(arg, args[++i]);
        }
    }
    return parsed;
}

} // namespace tallimo::cli
