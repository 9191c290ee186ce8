#include "calc/Holidays.h"

#include "calc/EmbeddedHolidayRules.h"
#include "calc/HolidayRules.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace tallimo {
namespace {

std::optional<std::string_view> ruleText(std::string_view region) {
    for (const EmbeddedRuleFile& file : embeddedHolidayRules()) {
        if (file.region == region) {
            return file.text;
        }
    }
    return std::nullopt;
}

// Every shipped file parsed once, on first use.
const std::map<std::string, ParsedHolidayRules, std::less<>>& parsedRegions() {
    static const auto parsed = [] {
        std::map<std::string, ParsedHolidayRules, std::less<>> regions;
        for (const EmbeddedRuleFile& file : embeddedHolidayRules()) {
            regions.emplace(file.region, parseHolidayRules(file.text, ruleText));
        }
        return regions;
    }();
    return parsed;
}

} // namespace

std::vector<std::string> holidayRegions() {
    std::vector<std::string> codes;
    for (const auto& [code, rules] : parsedRegions()) {
        codes.push_back(code);
    }
    return codes;
}

bool isHolidayRegion(std::string_view code) {
    return parsedRegions().contains(code);
}

std::vector<PublicHoliday> publicHolidays(std::string_view region, int year) {
    const auto& regions = parsedRegions();
    const auto found = regions.find(region);
    if (found == regions.end()) {
        return {};
    }
    if (!found->second.error.empty()) {
        // Never a year with holidays silently missing; the tests keep this from being shipped.
        throw std::runtime_error("the holiday rules of " + found->first +
                                 " are broken: " + found->second.error);
    }
    return evaluateHolidayRules(found->second.rules, year);
}

std::vector<std::string> holidayRuleErrors() {
    std::vector<std::string> errors;
    for (const auto& [code, rules] : parsedRegions()) {
        if (!rules.error.empty()) {
            errors.push_back(code + ".rules " + rules.error);
        }
    }
    return errors;
}

} // namespace tallimo
