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

bool digitsAt(std::string_view text, std::initializer_list<std::size_t> positions) {
    return std::all_of(positions.begin(), positions.end(),
                       [&](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; });
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

std::optional<TimeOfDay> parseClockTime(std::string_view text) {
    if ((text.size() != 5 && text.size() != 8) || text[2] != ':' ||
        (text.size() == 8 && text[5] != ':') || !digitsAt(text, {0, 1, 3, 4}) ||
        (text.size() == 8 && !digitsAt(text, {6, 7}))) {
        return std::nullopt;
    }
    const TimeOfDay time{readNumberAt(text, 1, 2), readNumberAt(text, 4, 5),
                         text.size() == 8 ? readNumberAt(text, 7, 8) : 0};
    if (time.hour > 23 || time.minute > 59 || time.second > 59) {
        return std::nullopt;
    }
    return time;
}

std::optional<Instant> parseMoment(std::string_view text) {
    if (text.size() != kPeriodMomentLength || text[2] != '.' || text[5] != '.' || text[10] != ' ' ||
        !digitsAt(text, {0, 1, 3, 4, 6, 7, 8, 9})) {
        return std::nullopt;
    }
    const auto time = parseClockTime(text.substr(11));
    const int day = readNumberAt(text, 1, 2);
    const int month = readNumberAt(text, 4, 5);
    if (!time || day < 1 || month < 1 || month > 12) {
        return std::nullopt;
    }
    const auto instant = makeLocalInstant(readNumberAt(text, 7, 10), month, day, time->hour,
                                          time->minute, time->second);
    // mktime carries 31.04. into May: such a date is a typo, not a moment.
    if (!instant || splitLocal(*instant).day != day) {
        return std::nullopt;
    }
    return instant;
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
