#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::cli {

// "3,5,10-14": numbers and inclusive ranges, none below `minimum`, in the order given without
// repeats. Empty when the text is not such a list.
std::optional<std::vector<int>> parseNumberList(std::string_view list, int minimum);

// Options of the form --name VALUE after the positional arguments.
struct ParsedArguments {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> flags;
    std::string error; // set when an option is unknown or lacks its value
    std::optional<std::string> option(std::string_view name) const;
    bool flag(std::string_view name) const;
};
ParsedArguments parseArguments(const std::vector<std::string>& args,
                               const std::vector<std::string_view>& valueOptions,
                               const std::vector<std::string_view>& flagOptions);

} // namespace tallimo::cli
