#pragma once

#include <string_view>
#include <vector>

namespace tallimo {

// The holiday rule files built into the program, one per region, sorted by region code.
struct EmbeddedRuleFile {
    std::string_view region; // the file's name without ".rules"
    std::string_view text;
};
const std::vector<EmbeddedRuleFile>& embeddedHolidayRules();

} // namespace tallimo
