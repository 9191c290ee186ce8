#include "calc/HolidayRules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <tuple>

namespace tallimo {

CivilDate easterSunday(int year) {
    // The anonymous Gregorian algorithm (Meeus/Jones/Butcher).
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return {year, month, day};
}

namespace {

constexpr std::array<std::string_view, 7> kWeekdays = {
    "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"};
constexpr std::array<std::string_view, 12> kMonths = {
    "january", "february", "march",     "april",   "may",      "june",
    "july",    "august",   "september", "october", "november", "december"};
constexpr std::array<std::string_view, 4> kOrdinals = {"first", "second", "third", "fourth"};
constexpr int kMaxIncludeDepth = 4;
// The Gregorian computus holds from its first year; four-digit years keep the neighbouring years
// this looks at far from overflow.
constexpr int kFirstYear = 1583;
constexpr int kLastYear = 9999;

template <std::size_t N>
int indexIn(const std::array<std::string_view, N>& names, std::string_view word) {
    const auto found = std::find(names.begin(), names.end(), word);
    return found == names.end() ? 0 : static_cast<int>(found - names.begin()) + 1;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> found;
    std::size_t at = 0;
    while ((at = text.find_first_not_of(" \t", at)) != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(" \t", at), text.size());
        found.push_back(text.substr(at, end - at));
        at = end;
    }
    return found;
}

bool parseInt(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && !text.empty();
}

// "MM-DD" of a date that exists in some year (29 February included).
bool parseMonthDay(std::string_view text, int& month, int& day) {
    if (text.size() != 5 || text[2] != '-' || !parseInt(text.substr(0, 2), month) ||
        !parseInt(text.substr(3, 2), day)) {
        return false;
    }
    return month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(2000, month);
}

bool parseYear(std::string_view text, int& year) {
    return text.size() == 4 && parseInt(text, year) && year >= kFirstYear;
}

// The date part of a rule: the words before the options. Returns how many words it took, or 0
// when the words are no date rule.
std::size_t parseWhen(const std::vector<std::string_view>& w, HolidayRule& rule) {
    if (w.empty()) {
        return 0;
    }
    if (const auto date = parseIsoDate(w[0]); date && date->year >= kFirstYear) {
        rule.kind = HolidayRule::Kind::Once;
        rule.year = date->year;
        rule.month = date->month;
        rule.day = date->day;
        return 1;
    }
    if (parseMonthDay(w[0], rule.month, rule.day)) {
        rule.kind = HolidayRule::Kind::Fixed;
        return 1;
    }
    if (w[0].starts_with("easter")) {
        const std::string_view rest = w[0].substr(6);
        rule.kind = HolidayRule::Kind::Easter;
        if (rest.empty()) {
            return 1;
        }
        if ((rest[0] != '+' && rest[0] != '-') || !parseInt(rest.substr(1), rule.offset) ||
            rule.offset > 366) {
            return 0;
        }
        rule.offset = rest[0] == '-' ? -rule.offset : rule.offset;
        return 1;
    }
    if (w.size() >= 4 && w[2] == "in") {
        rule.kind = HolidayRule::Kind::NthWeekday;
        rule.ordinal = w[0] == "last" ? -1 : indexIn(kOrdinals, w[0]);
        rule.weekday = indexIn(kWeekdays, w[1]);
        rule.month = indexIn(kMonths, w[3]);
        return rule.ordinal != 0 && rule.weekday != 0 && rule.month != 0 ? 4 : 0;
    }
    if (w.size() >= 3 && (w[1] == "before" || w[1] == "after")) {
        rule.kind =
            w[1] == "before" ? HolidayRule::Kind::WeekdayBefore : HolidayRule::Kind::WeekdayAfter;
        rule.weekday = indexIn(kWeekdays, w[0]);
        return rule.weekday != 0 && parseMonthDay(w[2], rule.month, rule.day) ? 3 : 0;
    }
    return 0;
}

// A weekend shift such as "sunday->monday": the days to the nearest such weekday.
bool parseShift(std::string_view word, HolidayRule& rule) {
    const auto arrow = word.find("->");
    if (arrow == std::string_view::npos) {
        return false;
    }
    const int from = indexIn(kWeekdays, word.substr(0, arrow));
    const int to = indexIn(kWeekdays, word.substr(arrow + 2));
    if ((from != 6 && from != 7) || to == 0 || to == from) {
        return false;
    }
    int shift = (to - from + 7) % 7;
    shift = shift > 3 ? shift - 7 : shift;
    int& target = from == 6 ? rule.saturdayShift : rule.sundayShift;
    if (target != 0) {
        return false;
    }
    target = shift;
    return true;
}

// The options after the date part; the reason when one is not understood.
std::string parseOptions(const std::vector<std::string_view>& w, std::size_t at,
                         HolidayRule& rule) {
    bool since = false;
    bool until = false;
    while (at < w.size()) {
        const std::string_view option = w[at++];
        if (option == "since" || option == "until") {
            bool& seen = option == "since" ? since : until;
            if (seen || at == w.size() ||
                !parseYear(w[at++], option == "since" ? rule.since : rule.until)) {
                return std::string(option) + " wants one year YYYY";
            }
            seen = true;
        } else if (option == "moved") {
            const auto date = at < w.size() ? parseIsoDate(w[at++]) : std::nullopt;
            if (!date) {
                return "moved wants a date YYYY-MM-DD";
            }
            rule.moved.push_back(*date);
        } else if (option == "substitute") {
            rule.substitute = true;
        } else if (!parseShift(option, rule)) {
            return "'" + std::string(option) + "' is no option";
        }
    }
    if (rule.since > rule.until) {
        return "since is after until";
    }
    return {};
}

std::string parseLine(std::string_view line, HolidayRule& rule) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        return "a rule is written WHEN [OPTIONS] = NAME";
    }
    rule.name = trimmed(line.substr(equals + 1));
    if (rule.name.empty()) {
        return "the holiday has no name";
    }
    const auto w = words(line.substr(0, equals));
    const std::size_t taken = parseWhen(w, rule);
    if (taken == 0) {
        return "'" + std::string(trimmed(line.substr(0, equals))) + "' is no date rule";
    }
    return parseOptions(w, taken, rule);
}

void parseInto(std::string_view text, const RuleFileLookup& lookup, int depth,
               ParsedHolidayRules& parsed) {
    int number = 0;
    while (!text.empty() && parsed.error.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::string where = "line " + std::to_string(number) + ": ";
        if (line.starts_with("include ")) {
            const std::string_view region = trimmed(line.substr(8));
            const auto included = lookup ? lookup(region) : std::nullopt;
            if (!included) {
                parsed.error = where + "there are no rules of '" + std::string(region) + "'";
            } else if (depth >= kMaxIncludeDepth) {
                parsed.error = where + "includes nest too deep";
            } else {
                parseInto(*included, lookup, depth + 1, parsed);
                if (!parsed.error.empty()) {
                    parsed.error = where + "in " + std::string(region) + ", " + parsed.error;
                }
            }
            continue;
        }
        HolidayRule rule;
        if (const std::string why = parseLine(line, rule); !why.empty()) {
            parsed.error = where + why;
        } else {
            parsed.rules.push_back(std::move(rule));
        }
    }
}

CivilDate nthWeekday(int year, int month, int weekday, int ordinal) {
    if (ordinal < 0) {
        const CivilDate last{year, month, daysInMonth(year, month)};
        return addDays(last, -((isoWeekday(last) - weekday + 7) % 7));
    }
    const CivilDate first{year, month, 1};
    return addDays(first, (weekday - isoWeekday(first) + 7) % 7 + 7 * (ordinal - 1));
}

std::optional<CivilDate> baseDate(const HolidayRule& rule, int year) {
    using Kind = HolidayRule::Kind;
    switch (rule.kind) {
    case Kind::Once:
        if (year != rule.year) {
            return std::nullopt;
        }
        return CivilDate{year, rule.month, rule.day};
    case Kind::Fixed:
        if (rule.day > daysInMonth(year, rule.month)) {
            return std::nullopt; // 29 February outside leap years
        }
        return CivilDate{year, rule.month, rule.day};
    case Kind::Easter:
        return addDays(easterSunday(year), rule.offset);
    case Kind::NthWeekday:
        return nthWeekday(year, rule.month, rule.weekday, rule.ordinal);
    case Kind::WeekdayBefore:
    case Kind::WeekdayAfter: {
        const CivilDate reference{year, rule.month,
                                  std::min(rule.day, daysInMonth(year, rule.month))};
        const int weekday = isoWeekday(reference);
        return rule.kind == Kind::WeekdayBefore
                   ? addDays(reference, -((weekday - rule.weekday + 6) % 7 + 1))
                   : addDays(reference, (rule.weekday - weekday + 6) % 7 + 1);
    }
    }
    return std::nullopt;
}

struct Occurrence {
    PublicHoliday holiday;
    bool substitute = false; // falls on a weekend and wants a substitute day
};

} // namespace

ParsedHolidayRules parseHolidayRules(std::string_view text, const RuleFileLookup& lookup) {
    ParsedHolidayRules parsed;
    parseInto(text, lookup, 0, parsed);
    return parsed;
}

std::vector<PublicHoliday> evaluateHolidayRules(const std::vector<HolidayRule>& rules, int year) {
    if (year < kFirstYear || year > kLastYear) {
        return {};
    }
    // The neighbouring years too: a weekend shift may move a holiday across New Year.
    std::vector<Occurrence> found;
    for (int y = year - 1; y <= year + 1; ++y) {
        for (const HolidayRule& rule : rules) {
            if (y < rule.since || y > rule.until) {
                continue;
            }
            std::optional<CivilDate> date = baseDate(rule, y);
            if (!date) {
                continue;
            }
            const auto move = std::find_if(rule.moved.begin(), rule.moved.end(),
                                           [y](CivilDate moved) { return moved.year == y; });
            bool substitute = false;
            if (move != rule.moved.end()) {
                date = *move;
            } else {
                const int weekday = isoWeekday(*date);
                date = addDays(*date, weekday == 6   ? rule.saturdayShift
                                      : weekday == 7 ? rule.sundayShift
                                                     : 0);
                substitute = rule.substitute && isoWeekday(*date) >= 6;
            }
            found.push_back({{*date, rule.name}, substitute});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Occurrence& a, const Occurrence& b) {
        return a.holiday.date < b.holiday.date;
    });
    std::vector<CivilDate> taken;
    for (const Occurrence& occurrence : found) {
        taken.push_back(occurrence.holiday.date);
    }
    std::vector<PublicHoliday> holidays;
    for (const Occurrence& occurrence : found) {
        holidays.push_back(occurrence.holiday);
        if (!occurrence.substitute) {
            continue;
        }
        // The next weekday that is no holiday already, in date order so that Christmas takes
        // its substitute before Boxing Day does.
        CivilDate day = occurrence.holiday.date;
        do {
            day = addDays(day, 1);
        } while (isoWeekday(day) >= 6 || std::find(taken.begin(), taken.end(), day) != taken.end());
        taken.push_back(day);
        holidays.push_back({day, occurrence.holiday.name + " (substitute day)"});
    }
    std::erase_if(holidays, [year](const PublicHoliday& h) { return h.date.year != year; });
    std::sort(holidays.begin(), holidays.end(), [](const PublicHoliday& a, const PublicHoliday& b) {
        return std::tie(a.date, a.name) < std::tie(b.date, b.name);
    });
    // A region that includes another may name a holiday both files know (a one-off year of a
    // holiday it keeps every year): it is listed once.
    holidays.erase(std::unique(holidays.begin(), holidays.end(),
                               [](const PublicHoliday& a, const PublicHoliday& b) {
                                   return a.date == b.date && a.name == b.name;
                               }),
                   holidays.end());
    return holidays;
}

} // namespace tallimo
