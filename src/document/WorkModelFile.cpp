#include "document/WorkModelFile.h"

#include "document/AtomicFile.h"
#include "document/FileLock.h"
#include "document/InputFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace tallimo {
namespace {

constexpr std::size_t kLongestLine = 1000;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<double> parseDays(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > 366 ||
        value * 2 != static_cast<double>(static_cast<int>(value * 2))) {
        return std::nullopt;
    }
    return value;
}

std::string daysText(double days) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", days);
    return text;
}

// "MM-DD" of a date that exists in a leap year.
bool parseMonthDay(std::string_view text, int& month, int& day) {
    const auto date = parseIsoDate("2000-" + std::string(text));
    if (!date) {
        return false;
    }
    month = date->month;
    day = date->day;
    return true;
}

} // namespace

std::string setPeriodValue(WorkPeriod& period, std::string_view key, std::string_view value) {
    std::string error;
    if (key == "hours") {
        if (const auto targets = parseWeekTargets(value, error)) {
            period.targets = *targets;
        }
        return error;
    }
    if (key == "break" || key == "break-after") {
        const auto span = parseHoursSpan(value);
        if (!span) {
            return "'" + std::string(value) + "' is no span such as 1:00";
        }
        (key == "break" ? period.breakSpan : period.breakAfter) = *span;
        return {};
    }
    if (key == "region") {
        period.region = value == "none" ? std::string() : std::string(value);
        return {};
    }
    if (key == "vacation") {
        const auto days = parseDays(value);
        if (!days) {
            return "'" + std::string(value) + "' is no number of days such as 30 or 27.5";
        }
        period.vacationDays = *days;
        return {};
    }
    if (key == "carry-until") {
        if (!parseMonthDay(value, period.carryMonth, period.carryDay)) {
            return "'" + std::string(value) + "' is no date such as 03-31";
        }
        return {};
    }
    return "unknown key '" + std::string(key) + "'";
}

namespace {

enum class Section { None, Period, CompanyDays, Holidays };

// "DATE = [free|half] NAME" of a company day, "DATE = NAME" of an imported holiday.
std::string readDateLine(Section section, std::string_view key, std::string_view value,
                         WorkModel& model) {
    const auto date = parseIsoDate(key);
    if (!date) {
        return "'" + std::string(key) + "' is no date such as 2026-12-24";
    }
    if (section == Section::Holidays) {
        if (value.empty()) {
            return "the holiday of " + std::string(key) + " has no name";
        }
        model.holidays.push_back({*date, std::string(value), false});
        return {};
    }
    const std::size_t space = value.find(' ');
    const std::string_view kind = value.substr(0, space);
    if (kind != "free" && kind != "half") {
        return "a company day is 'free' or 'half', not '" + std::string(kind) + "'";
    }
    const std::string_view name =
        space == std::string_view::npos ? std::string_view() : trimmed(value.substr(space));
    model.companyDays.push_back({*date, std::string(name), kind == "half"});
    return {};
}

} // namespace

std::string modelDateLine(const ModelDate& day, bool holiday) {
    if (holiday) {
        return formatIsoDate(day.date) + " = " + day.name;
    }
    return formatIsoDate(day.date) + " = " + (day.half ? "half" : "free") +
           (day.name.empty() ? "" : " " + day.name);
}

std::string readModelDateLine(std::string_view line, bool holiday, WorkModel& model) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return "a line is 'DATE = " + std::string(holiday ? "NAME" : "free|half NAME") + "'";
    }
    return readDateLine(holiday ? Section::Holidays : Section::CompanyDays,
                        trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1)), model);
}

std::string workModelPath(const std::string& folder) {
    return (std::filesystem::path(folder.empty() ? "." : folder) / kWorkModelFileName).string();
}

ModelText parseWorkModel(std::string_view text) {
    ModelText result;
    WorkModel& model = result.model;
    Section section = Section::None;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::string_view line = trimmed(raw);
        std::string error;
        if (raw.size() > kLongestLine) {
            error = "the line is longer than " + std::to_string(kLongestLine) + " characters";
        } else if (line.empty() || line.front() == '#') {
            continue;
        } else if (line.front() == '[' && line.back() == ']') {
            const std::string_view name = trimmed(line.substr(1, line.size() - 2));
            if (name.starts_with("period ")) {
                const auto from = parseIsoDate(trimmed(name.substr(7)));
                if (!from) {
                    error = "a period starts on a date such as [period 2026-01-01]";
                } else if (!model.periods.empty() && *from <= model.periods.back().from) {
                    error = "the periods must follow each other by date";
                } else {
                    // What a period does not say it takes from the period before.
                    WorkPeriod period = model.periods.empty() ? WorkPeriod{} : model.periods.back();
                    period.from = *from;
                    model.periods.push_back(period);
                    section = Section::Period;
                }
            } else if (name == "company days") {
                section = Section::CompanyDays;
            } else if (name == "holidays") {
                section = Section::Holidays;
            } else {
                error = "unknown section [" + std::string(name) + "]";
            }
        } else if (const std::size_t equals = line.find('='); equals == std::string_view::npos) {
            error = "a line is 'key = value'";
        } else if (section == Section::None) {
            error = "a value before the first [period DATE]";
        } else {
            const std::string_view key = trimmed(line.substr(0, equals));
            const std::string_view value = trimmed(line.substr(equals + 1));
            error = section == Section::Period ? setPeriodValue(model.periods.back(), key, value)
                                               : readDateLine(section, key, value, model);
        }
        if (!error.empty()) {
            result.error = "line " + std::to_string(number) + ": " + error;
            return result;
        }
    }
    if (model.periods.empty()) {
        result.error = "it has no [period DATE]";
    }
    return result;
}

std::string periodValueText(const WorkPeriod& period, std::string_view key) {
    if (key == "hours") {
        return weekTargetsText(period.targets);
    }
    if (key == "break" || key == "break-after") {
        return hoursSpanText(key == "break" ? period.breakSpan : period.breakAfter);
    }
    if (key == "region") {
        return period.region.empty() ? std::string("none") : period.region;
    }
    if (key == "vacation") {
        return daysText(period.vacationDays);
    }
    char carry[16];
    std::snprintf(carry, sizeof carry, "%02d-%02d", period.carryMonth, period.carryDay);
    return carry;
}

std::string formatWorkModel(const WorkModel& model) {
    std::string text = "# Tallimo work model: each period holds from its date until the next.\n";
    for (const WorkPeriod& period : model.periods) {
        text += "\n[period " + formatIsoDate(period.from) + "]\n";
        for (const char* key : kPeriodKeys) {
            text += std::string(key) + " = " + periodValueText(period, key) + "\n";
        }
    }
    if (!model.companyDays.empty()) {
        text += "\n[company days]\n";
        for (const ModelDate& day : model.companyDays) {
            text += modelDateLine(day, false) + "\n";
        }
    }
    if (!model.holidays.empty()) {
        text += "\n[holidays]\n";
        for (const ModelDate& day : model.holidays) {
            text += modelDateLine(day, true) + "\n";
        }
    }
    return text;
}

Result readWorkModel(const std::string& folder, std::optional<WorkModel>& model) {
    model.reset();
    const std::string path = workModelPath(folder);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return {};
    }
    std::vector<std::uint8_t> bytes;
    if (const auto size = std::filesystem::file_size(path, error);
        !error && size > kLargestModelFile) {
        return Result::failed(path + " is larger than " + std::to_string(kLargestModelFile / 1024) +
                              " KiB");
    }
    if (Result read = readWholeFile(path, bytes); !read) {
        return Result::failed(path + " cannot be read: " + read.message);
    }
    ModelText parsed = parseWorkModel({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    if (!parsed.error.empty()) {
        return Result::failed(path + " " + parsed.error);
    }
    model = std::move(parsed.model);
    return {};
}

Result updateWorkModel(const std::string& folder,
                       const std::function<Result(std::optional<WorkModel>&)>& change) {
    const std::string path = workModelPath(folder);
    FileLock lock;
    if (Result locked = lock.acquire(path, std::chrono::seconds(5)); !locked) {
        return locked;
    }
    std::optional<WorkModel> model;
    if (Result read = readWorkModel(folder, model); !read) {
        return read;
    }
    if (Result changed = change(model); !changed) {
        return changed;
    }
    if (!model) {
        return {};
    }
    const std::string text = formatWorkModel(*model);
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    if (Result written = writeFileAtomically(path, {data, text.size()}); !written) {
        return Result::failed(path + " cannot be written: " + written.message);
    }
    return {};
}

Result switchWorkModelOff(const std::string& folder) {
    const std::string path = workModelPath(folder);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return Result::nothingToDo();
    }
    std::filesystem::rename(path, path + ".bak", error);
    if (error) {
        return Result::failed(path + " cannot be renamed: " + error.message());
    }
    return {};
}

IcsHolidays parseIcsHolidays(std::string_view text) {
    IcsHolidays result;
    // Unfold first: a line starting with a space or tab continues the one before.
    std::vector<std::pair<int, std::string>> lines;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty() && (line.front() == ' ' || line.front() == '\t') && !lines.empty()) {
            lines.back().second += line.substr(1);
        } else {
            lines.emplace_back(number, std::string(line));
        }
    }
    bool inEvent = false;
    std::optional<CivilDate> start;
    std::optional<CivilDate> end;
    std::string name;
    const auto dateOf = [](std::string_view value) -> std::optional<CivilDate> {
        if (value.size() != 8) {
            return std::nullopt;
        }
        return parseIsoDate(std::string(value.substr(0, 4)) + "-" +
                            std::string(value.substr(4, 2)) + "-" +
                            std::string(value.substr(6, 2)));
    };
    for (const auto& [line, content] : lines) {
        const std::size_t colon = content.find(':');
        const std::string_view head = std::string_view(content).substr(0, colon);
        const std::string_view value = colon == std::string::npos
                                           ? std::string_view()
                                           : std::string_view(content).substr(colon + 1);
        const std::string_view property = head.substr(0, head.find(';'));
        if (content == "BEGIN:VEVENT") {
            inEvent = true;
            start.reset();
            end.reset();
            name.clear();
        } else if (inEvent && content == "END:VEVENT") {
            inEvent = false;
            if (!start) {
                continue; // an event with a time of day is no holiday
            }
            const CivilDate last = end && *end > *start ? addDays(*end, -1) : *start;
            if (daysFromCivil(last) - daysFromCivil(*start) > 366) {
                result.error = "line " + std::to_string(line) + ": an event of more than a year";
                return result;
            }
            for (CivilDate day = *start; day <= last; day = addDays(day, 1)) {
                result.days.push_back({day, name.empty() ? "Holiday" : name, false});
            }
        } else if (inEvent && (property == "DTSTART" || property == "DTEND")) {
            const bool allDay =
                head.find("VALUE=DATE") != std::string_view::npos || value.size() == 8;
            const auto date = allDay ? dateOf(value) : std::nullopt;
            if (allDay && !date) {
                result.error = "line " + std::to_string(line) + ": '" + std::string(value) +
                               "' is no date such as 20261224";
                return result;
            }
            (property == "DTSTART" ? start : end) = date;
        } else if (inEvent && property == "SUMMARY") {
            name = std::string(value.substr(0, 200));
        }
    }
    std::sort(result.days.begin(), result.days.end(),
              [](const ModelDate& a, const ModelDate& b) { return a.date < b.date; });
    return result;
}

IcsHolidays readIcsFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (const Result read = readWholeFile(path, bytes); !read || bytes.size() > kLargestModelFile) {
        IcsHolidays refused;
        refused.error = path + " cannot be read" +
                        (read ? std::string(": it is too large") : ": " + read.message);
        return refused;
    }
    IcsHolidays days =
        parseIcsHolidays({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    if (!days.error.empty()) {
        days.error = path + " " + days.error;
    }
    return days;
}

void addImportedHolidays(WorkModel& model, const std::vector<ModelDate>& days) {
    for (const ModelDate& day : days) {
        const bool known =
            std::any_of(model.holidays.begin(), model.holidays.end(),
                        [&](const ModelDate& held) { return held.date == day.date; });
        if (!known) {
            model.holidays.push_back(day);
        }
    }
    std::stable_sort(model.holidays.begin(), model.holidays.end(),
                     [](const ModelDate& a, const ModelDate& b) { return a.date < b.date; });
}

} // namespace tallimo
