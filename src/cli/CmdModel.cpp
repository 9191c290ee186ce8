#include "cli/CliArguments.h"
#include "cli/CliWorkModel.h"
#include "cli/Commands.h"
#include "document/WorkModelFile.h"

#include <ostream>

namespace tallimo::cli {
namespace {

// Applies the options of `model set` to the period; the first problem, for the user.
std::string applyOptions(const ParsedArguments& parsed, WorkPeriod& period) {
    std::string error;
    if (const auto hours = parsed.option("--hours")) {
        const auto targets = parseWeekTargets(*hours, error);
        if (!targets) {
            return "--hours: " + error;
        }
        period.targets = *targets;
    }
    for (const auto& [name, field] : {std::pair{"--break", &period.breakSpan},
                                      std::pair{"--break-after", &period.breakAfter}}) {
        if (const auto text = parsed.option(name)) {
            const auto span = parseHoursSpan(*text);
            if (!span) {
                return std::string(name) + " wants a span such as 1:00, not '" + *text + "'";
            }
            *field = *span;
        }
    }
    if (const auto region = parsed.option("--region")) {
        if (*region != "none" && !isHolidayRegion(*region)) {
            return "--region: there are no holiday rules of the region '" + *region +
                   "'; 'tallimo-cli holidays --regions' lists the codes";
        }
        period.region = *region == "none" ? std::string() : *region;
    }
    // The file's own reader checks the rest, so that both say the same.
    WorkPeriod checked = period;
    for (const char* key : {"vacation", "carry-until"}) {
        if (const auto text = parsed.option(std::string("--") + key)) {
            if (std::string problem = setPeriodValue(checked, key, *text); !problem.empty()) {
                return std::string("--") + key + ": " + problem;
            }
        }
    }
    period = checked;
    return {};
}

int setPeriod(CliContext& context, const ParsedArguments& parsed, const std::string& folder) {
    const auto fromText = parsed.option("--from");
    const auto from = fromText ? parseIsoDate(*fromText) : std::nullopt;
    if (!from) {
        return context.fail("model set: --from YYYY-MM-DD is needed", kExitUsage);
    }
    std::string usage;
    const Result updated = updateWorkModel(folder, [&](std::optional<WorkModel>& model) {
        if (!model) {
            model.emplace();
        }
        // What is not given is taken from the period in force on that date.
        const WorkPeriod* before = model->periodAt(*from);
        WorkPeriod period = before ? *before : WorkPeriod{};
        period.from = *from;
        usage = applyOptions(parsed, period);
        if (!usage.empty()) {
            return Result::refused(usage);
        }
        model->setPeriod(std::move(period));
        return Result{};
    });
    if (!usage.empty()) {
        return context.fail("model set: " + usage, kExitUsage);
    }
    if (!updated) {
        return context.fail("model set: " + updated.message);
    }
    if (!context.switches.quiet) {
        context.out << "Work model of " << folder << ": the period from " << formatIsoDate(*from)
                    << " is set.\n";
    }
    return kExitDone;
}

int importIcs(CliContext& context, const std::string& ics, const std::string& folder) {
    const IcsHolidays days = readIcsFile(ics);
    if (!days.error.empty()) {
        return context.fail("model import-ics: " + days.error);
    }
    const Result updated = updateWorkModel(folder, [&](std::optional<WorkModel>& model) {
        if (!model) {
            return Result::refused("there is no work model in " + folder +
                                   "; start one with 'tallimo-cli model set --from DATE'");
        }
        addImportedHolidays(*model, days.days);
        return Result{};
    });
    if (!updated) {
        return context.fail("model import-ics: " + updated.message);
    }
    if (!context.switches.quiet) {
        context.out << days.days.size() << " holiday(s) read from " << ics << ".\n";
    }
    return kExitDone;
}

int runModel(CliContext& context) {
    const ParsedArguments parsed = parseArguments(context.args,
                                                  {"--from", "--hours", "--break", "--break-after",
                                                   "--region", "--vacation", "--carry-until"},
                                                  {});
    if (!parsed.error.empty()) {
        return context.fail("model: " + parsed.error, kExitUsage);
    }
    std::vector<std::string> args = parsed.positional;
    const std::string action =
        !args.empty() && (args[0] == "set" || args[0] == "off" || args[0] == "import-ics")
            ? args[0]
            : std::string();
    if (!action.empty()) {
        args.erase(args.begin());
    }
    std::string ics;
    if (action == "import-ics") {
        if (args.empty()) {
            return context.fail("model import-ics: the FILE.ics is missing", kExitUsage);
        }
        ics = args.front();
        args.erase(args.begin());
    }
    if (args.size() > 1 || (action != "set" && !parsed.options.empty())) {
        return context.fail("model: too many arguments; see 'tallimo-cli model --help'",
                            kExitUsage);
    }
    const std::string folder = modelFolderOf(context, "model", args);
    if (folder.empty()) {
        return kExitUsage;
    }
    if (action == "set") {
        return setPeriod(context, parsed, folder);
    }
    if (action == "import-ics") {
        return importIcs(context, ics, folder);
    }
    if (action == "off") {
        const Result off = switchWorkModelOff(folder);
        if (off.outcome == Outcome::NothingToDo) {
            context.out << "There is no work model in " << folder << ".\n";
            return kExitDone;
        }
        if (!off) {
            return context.fail("model off: " + off.message);
        }
        if (!context.switches.quiet) {
            context.out << "The work model of " << folder << " is off; its file is kept as "
                        << workModelPath(folder) << ".bak\n";
        }
        return kExitDone;
    }
    std::optional<WorkModel> model;
    if (const Result read = readWorkModel(folder, model); !read) {
        return context.fail("model: " + read.message);
    }
    if (!model) {
        context.out << "There is no work model in " << folder
                    << "; every day counts its presence less 9 hours.\n";
        return kExitDone;
    }
    context.out << formatWorkModel(*model);
    return kExitDone;
}

} // namespace

const CliCommand kModelCommand{
    "model",
    "model [FOLDER] | model set [FOLDER] --from YYYY-MM-DD [--hours H] [--break SPAN] "
    "[--break-after SPAN] [--region CODE] [--vacation DAYS] [--carry-until MM-DD] | "
    "model off [FOLDER] | "
    "model import-ics FILE.ics [FOLDER]",
    "Prints, changes or removes the work model of a folder of months (default: the folder of\n"
    "the last document). The model is the file tallimo-model.txt in that folder; with it every\n"
    "day counts its worktime against the day's target, up to today, in every cell, total,\n"
    "balance and export. It holds periods, each in force from its date until the next:\n"
    "  [period 2026-01-01]\n"
    "  hours = Mon-Thu 8:00, Fri 5:00   targets per weekday; days not named have none\n"
    "  break = 1:00                     deducted from a day's presence ...\n"
    "  break-after = 0:00               ... when the presence is above this\n"
    "  region = DE-BY                   public holidays (none: no region)\n"
    "  vacation = 30                    vacation days per calendar year\n"
    "  carry-until = 03-31              days not taken expire after this date of the next year\n"
    "then optionally '[company days]' with lines '2026-12-24 = half Christmas Eve' or\n"
    "'2026-06-05 = free Outing', and '[holidays]' with lines '2026-06-24 = Midsummer'.\n"
    "  set         adds the period from --from, or changes the period of that date; what is\n"
    "              not given is taken from the period in force on that date\n"
    "    --hours \"Mon-Thu 8:00, Fri 5:00\"  --break SPAN  --break-after SPAN\n"
    "    --region CODE|none  --vacation DAYS  --carry-until MM-DD\n"
    "  off         renames the file to tallimo-model.txt.bak: figures are as without a model\n"
    "  import-ics  adds the all-day events of an iCalendar file as holidays\n",
    runModel};

} // namespace tallimo::cli
