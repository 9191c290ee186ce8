#include "calc/Holidays.h"
#include "cli/CliArguments.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "document/RecentFileList.h"
#include "document/WorkModelFile.h"

#include <charconv>
#include <filesystem>
#include <ostream>

namespace tallimo::cli {
namespace {

constexpr const char* kWeekdayAbbreviations[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
constexpr const char* kListHint = "; 'tallimo-cli holidays --regions' lists the codes";

// The region of the work model for `year` (its last period that starts in or before that year),
// when there is one. A model that cannot be read is named on standard error and counts as none.
std::optional<std::string> regionFromModel(CliContext& context, int year) {
    const std::string last = lastDocument(context.settings);
    if (last.empty()) {
        return std::nullopt;
    }
    const auto folder = std::filesystem::path(last).parent_path();
    std::optional<WorkModel> model;
    if (const Result read = readWorkModel(folder.empty() ? "." : folder.string(), model); !read) {
        context.fail("holidays: " + read.message);
    }
    if (!model) {
        return std::nullopt;
    }
    const WorkPeriod* period = model->periodAt({year, 12, 31});
    if (!period || period->region.empty()) {
        return std::nullopt;
    }
    return period->region;
}

std::optional<int> parseYear(const std::string& text) {
    int year = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), year);
    if (error != std::errc() || end != text.data() + text.size() || text.size() != 4 ||
        year < 1583) {
        return std::nullopt;
    }
    return year;
}

void writeText(std::ostream& out, const std::vector<PublicHoliday>& holidays) {
    for (const PublicHoliday& holiday : holidays) {
        out << formatIsoDate(holiday.date) << "  "
            << kWeekdayAbbreviations[isoWeekday(holiday.date) - 1] << "  " << holiday.name << '\n';
    }
}

void writeJson(std::ostream& out, const std::vector<PublicHoliday>& holidays) {
    out << '[';
    for (std::size_t i = 0; i < holidays.size(); ++i) {
        out << (i > 0 ? ", " : "") << "{\"date\": \"" << formatIsoDate(holidays[i].date)
            << "\", \"name\": " << jsonUtf8String(holidays[i].name) << '}';
    }
    out << "]\n";
}

int runHolidays(CliContext& context) {
    const ParsedArguments parsed =
        parseArguments(context.args, {"--region"}, {"--json", "--regions"});
    if (!parsed.error.empty()) {
        return context.fail("holidays: " + parsed.error, kExitUsage);
    }
    if (parsed.flag("--regions")) {
        if (context.args.size() > 1) {
            return context.fail("holidays: --regions takes nothing else", kExitUsage);
        }
        for (const std::string& code : holidayRegions()) {
            context.out << code << '\n';
        }
        return kExitDone;
    }
    if (parsed.positional.size() > 1) {
        return context.fail("holidays: wants at most one YEAR", kExitUsage);
    }
    std::optional<int> year = splitLocal(context.clock.now()).year;
    if (!parsed.positional.empty()) {
        year = parseYear(parsed.positional.front());
        if (!year) {
            return context.fail("holidays: YEAR wants a year from 1583 on such as 2026, not '" +
                                    parsed.positional.front() + "'",
                                kExitUsage);
        }
    }
    std::optional<std::string> region = parsed.option("--region");
    if (!region) {
        region = regionFromModel(context, *year);
    }
    if (!region) {
        return context.fail(std::string("holidays: no --region CODE given and no work model with "
                                        "a region") +
                                kListHint,
                            kExitUsage);
    }
    if (!isHolidayRegion(*region)) {
        return context.fail("holidays: there are no holiday rules of the region '" + *region + "'" +
                                kListHint,
                            kExitUsage);
    }
    const std::vector<PublicHoliday> holidays = publicHolidays(*region, *year);
    if (parsed.flag("--json")) {
        writeJson(context.out, holidays);
    } else {
        writeText(context.out, holidays);
    }
    return kExitDone;
}

} // namespace

const CliCommand kHolidaysCommand{
    "holidays", "holidays [YEAR] [--region CODE] [--json] | holidays --regions",
    "Prints the public holidays of a region in YEAR (default: this year), one line each in\n"
    "date order: the date as YYYY-MM-DD, two spaces, the weekday (Mon..Sun), two spaces and\n"
    "the holiday's name in the region's language. A holiday on a weekend that gives a\n"
    "substitute day is listed on its own date and the substitute as '... (substitute day)';\n"
    "where the law moves the holiday itself (US federal holidays, King's Day in the\n"
    "Netherlands) only the day it is observed on is listed.\n"
    "  --region CODE  the region, an ISO 3166-2 code such as DE-BY, AT, CH-ZH, GB-ENG or US\n"
    "                 (default: the region of the work model)\n"
    "  --json         one JSON array of objects with date (YYYY-MM-DD) and name\n"
    "  --regions      the codes of the regions whose rules are built in, one a line\n",
    runHolidays};

} // namespace tallimo::cli
