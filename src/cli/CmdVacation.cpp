#include "cli/CliArguments.h"
#include "cli/CliWorkModel.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"

#include <cstdio>
#include <ostream>

namespace tallimo::cli {
namespace {

std::string daysText(double days) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", days);
    return text;
}

void writeJson(std::ostream& out, const VacationYear& vacation) {
    out << "{\"year\": " << vacation.year << ", \"entitlement\": " << daysText(vacation.entitlement)
        << ", \"carried\": " << daysText(vacation.carried)
        << ", \"carriedExpires\": " << jsonUtf8String(formatIsoDate(vacation.carriedExpires))
        << ", \"taken\": [";
    for (std::size_t i = 0; i < vacation.taken.size(); ++i) {
        out << (i > 0 ? ", " : "") << jsonUtf8String(formatIsoDate(vacation.taken[i]));
    }
    out << "], \"takenDays\": " << daysText(vacation.takenDays)
        << ", \"left\": " << daysText(vacation.left) << "}\n";
}

void writeText(std::ostream& out, const VacationYear& vacation) {
    out << "Vacation " << vacation.year << "\n"
        << "Entitlement:  " << daysText(vacation.entitlement) << "\n"
        << "Carried over: " << daysText(vacation.carried);
    if (vacation.carried > 0) {
        out << (vacation.carriedExpired > 0
                    ? " (" + daysText(vacation.carriedExpired) + " expired on "
                    : " (until ")
            << formatIsoDate(vacation.carriedExpires) << ")";
    }
    out << "\nTaken:        " << daysText(vacation.takenDays);
    for (std::size_t i = 0; i < vacation.taken.size(); ++i) {
        out << (i == 0 ? " (" : ", ") << formatIsoDate(vacation.taken[i]);
    }
    out << (vacation.taken.empty() ? "" : ")") << "\nLeft:         " << daysText(vacation.left)
        << "\n";
}

int runVacation(CliContext& context) {
    const ParsedArguments parsed = parseArguments(context.args, {}, {"--json"});
    if (!parsed.error.empty()) {
        return context.fail("vacation: " + parsed.error, kExitUsage);
    }
    std::vector<std::string> args = parsed.positional;
    const CivilDate today = civilDateOf(context.clock.now());
    int year = today.year;
    if (!args.empty() && args[0].size() == 4 &&
        args[0].find_first_not_of("0123456789") == std::string::npos) {
        year = std::stoi(args[0]);
        args.erase(args.begin());
    }
    if (args.size() > 1) {
        return context.fail("vacation: too many arguments; see 'tallimo-cli vacation --help'",
                            kExitUsage);
    }
    const std::string folder = modelFolderOf(context, "vacation", args);
    if (folder.empty()) {
        return kExitUsage;
    }
    std::optional<WorkCalendar> calendar;
    if (!readCalendar(context, "vacation", folder, calendar)) {
        return kExitRefused;
    }
    if (!calendar) {
        return context.fail("vacation: there is no work model in " + folder +
                            "; start one with 'tallimo-cli model set --from DATE --vacation DAYS'");
    }
    const VacationYear vacation = vacationYear(*calendar, folderDays(folder), year, today);
    if (parsed.flag("--json")) {
        writeJson(context.out, vacation);
    } else {
        writeText(context.out, vacation);
    }
    return kExitDone;
}

} // namespace

const CliCommand kVacationCommand{
    "vacation", "vacation [YEAR] [FOLDER] [--json]",
    "Prints the vacation of YEAR (default: this year) under the work model of FOLDER (default:\n"
    "the folder of the last document): the entitlement (the vacation days of the periods in\n"
    "force, in proportion to their part of the year), the days carried over from the year\n"
    "before and the date they expire after, the days taken (each day marked Urlaub with a\n"
    "target, half on a company half day, also those planned later) with their dates, and the\n"
    "days left.\n"
    "  --json  one JSON object: year, entitlement, carried, carriedExpires (YYYY-MM-DD),\n"
    "          taken (an array of YYYY-MM-DD), takenDays and left\n",
    runVacation};

} // namespace tallimo::cli
