#include "view/WorkModelDialog.h"

#include "calc/Holidays.h"
#include "document/WorkModelFile.h"
#include "platform/Encoding.h"
#include "platform/Ui.h"

#include <algorithm>

namespace tallimo {
namespace {

// The fields the file's own rules check, with their keys there.
constexpr std::pair<const char*, std::string PeriodFields::*> kValueFields[] = {
    {"break", &PeriodFields::breakSpan},        {"break-after", &PeriodFields::breakAfter},
    {"region", &PeriodFields::region},          {"vacation", &PeriodFields::vacation},
    {"carry-until", &PeriodFields::carryUntil},
};

// The reason the fields are no period, else empty with the period set.
std::string periodOf(const PeriodFields& fields, WorkPeriod& period) {
    const auto from = parseIsoDate(fields.from);
    if (!from) {
        return "'" + fields.from + "' is no date such as 2026-05-01";
    }
    period.from = *from;
    for (int day = 0; day < 7; ++day) {
        const auto span = parseHoursSpan(fields.targets[static_cast<std::size_t>(day)]);
        if (!span) {
            return std::string(kWeekdayNames[day]) + ": '" +
                   fields.targets[static_cast<std::size_t>(day)] + "' is no span such as 8:00";
        }
        period.targets[static_cast<std::size_t>(day)] = *span;
    }
    for (const auto& [key, field] : kValueFields) {
        if (std::string problem = setPeriodValue(period, key, fields.*field); !problem.empty()) {
            return std::string(key) + ": " + problem;
        }
    }
    if (!period.region.empty() && !isHolidayRegion(period.region)) {
        return "there are no holiday rules of the region '" + period.region + "'";
    }
    return {};
}

// The lines of a text field into the model's list; the problem names the line.
std::string readDateLines(const std::string& text, bool holiday, WorkModel& model) {
    std::size_t start = 0;
    for (int number = 1; start <= text.size(); ++number) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        if (std::string problem = readModelDateLine(line, holiday, model); !problem.empty()) {
            return "line " + std::to_string(number) + ": " + problem;
        }
    }
    return {};
}

// The model's texts are UTF-8; the user is told in the program's bytes.
void tell(Ui& ui, const std::string& text) {
    ui.showMessage(utf8ToWindows1252(text));
}

std::string dateLines(const std::vector<ModelDate>& days, bool holiday) {
    std::string text;
    for (const ModelDate& day : days) {
        text += modelDateLine(day, holiday) + "\n";
    }
    return text;
}

} // namespace

PeriodFields fieldsOf(const WorkPeriod& period) {
    PeriodFields fields;
    fields.from = formatIsoDate(period.from);
    for (std::size_t day = 0; day < 7; ++day) {
        fields.targets[day] = hoursSpanText(period.targets[day]);
    }
    for (const auto& [key, field] : kValueFields) {
        fields.*field = periodValueText(period, key);
    }
    return fields;
}

std::vector<std::string> WorkModelDialog::regionChoices() {
    std::vector<std::string> choices{WorkModelText::NoRegion};
    for (std::string& code : holidayRegions()) {
        choices.push_back(std::move(code));
    }
    return choices;
}

void WorkModelDialog::show(const WorkModel& shown, bool modelFileExists) {
    periods.clear();
    for (const WorkPeriod& period : shown.periods) {
        periods.push_back(fieldsOf(period));
    }
    selected = 0;
    companyDays = dateLines(shown.companyDays, false);
    holidays = dateLines(shown.holidays, true);
    hasModel = modelFileExists;
}

void WorkModelDialog::OnAddPeriod() {
    CivilDate from = today;
    for (const PeriodFields& period : periods) {
        if (const auto start = parseIsoDate(period.from); start && *start >= from) {
            from = addDays(*start, 1);
        }
    }
    PeriodFields added =
        periods.empty() ? fieldsOf(WorkPeriod{}) : periods[static_cast<std::size_t>(selected)];
    added.from = formatIsoDate(from);
    periods.push_back(std::move(added));
    selected = static_cast<int>(periods.size()) - 1;
}

void WorkModelDialog::OnRemovePeriod() {
    if (!canRemovePeriod()) {
        return;
    }
    periods.erase(periods.begin() + selected);
    selected = std::min(selected, static_cast<int>(periods.size()) - 1);
}

void WorkModelDialog::OnImportIcs(Ui& ui) {
    const auto path = ui.chooseFile({WorkModelText::ImportTitle,
                                     {{"iCalendar (*.ics)", "*.ics"}, {"All Files (*.*)", "*.*"}},
                                     "ics",
                                     {},
                                     false,
                                     false});
    if (!path) {
        return;
    }
    const IcsHolidays read = readIcsFile(*path);
    if (!read.error.empty()) {
        tell(ui, read.error);
        return;
    }
    if (read.days.empty()) {
        tell(ui, *path + " holds no all-day events.");
        return;
    }
    WorkModel known;
    if (std::string problem = readDateLines(holidays, true, known); !problem.empty()) {
        tell(ui, "Imported holidays, " + problem);
        return;
    }
    addImportedHolidays(known, read.days);
    holidays = dateLines(known.holidays, true);
}

bool WorkModelDialog::OnSwitchOff(Ui& ui) {
    if (!hasModel || ui.ask(WorkModelText::SwitchOffQuestion) != Answer::Ok) {
        return false;
    }
    switchOff = true;
    ok = true;
    return true;
}

bool WorkModelDialog::OnOK(Ui& ui) {
    WorkModel checked;
    for (std::size_t i = 0; i < periods.size(); ++i) {
        WorkPeriod period;
        std::string problem = periodOf(periods[i], period);
        if (problem.empty() &&
            std::any_of(checked.periods.begin(), checked.periods.end(),
                        [&](const WorkPeriod& other) { return other.from == period.from; })) {
            problem = "another period starts on the same date";
        }
        if (!problem.empty()) {
            selected = static_cast<int>(i);
            tell(ui, "The period from " + periods[i].from + ": " + problem);
            return false;
        }
        checked.setPeriod(std::move(period));
    }
    for (const auto& [text, holiday, name] : {std::tuple{&companyDays, false, "Company days"},
                                              std::tuple{&holidays, true, "Imported holidays"}}) {
        if (std::string problem = readDateLines(*text, holiday, checked); !problem.empty()) {
            tell(ui, std::string(name) + ", " + problem);
            return false;
        }
    }
    model = std::move(checked);
    switchOff = false;
    ok = true;
    return true;
}

} // namespace tallimo
