#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace tallimo::cli {
namespace {

template <void (CTagrolView::*Marker)()>
Result mark(CTagrolView& view) {
    (view.*Marker)();
    return {};
}

int runMark(CliContext& context) {
    const auto& args = context.args;
    if (args.size() != 3) {
        return context.fail("mark: wants FILE holiday|sick|vacation|standby DAYS", kExitUsage);
    }
    const std::pair<const char*, Result (*)(CTagrolView&)> markers[] = {
        {"holiday", mark<&CTagrolView::OnTbHoliday>},
        {"sick", mark<&CTagrolView::OnTbIll>},
        {"vacation", mark<&CTagrolView::OnTbVacation>},
        {"standby", mark<&CTagrolView::OnTbStandby>},
    };
    for (const auto& [word, command] : markers) {
        if (args[1] == word) {
            return runOnSelection(context, "mark", args[2], args[0], false, command);
        }
    }
    return context.fail(
        "mark: the mark is holiday, sick, vacation or standby, not '" + args[1] + "'", kExitUsage);
}

} // namespace

const CliCommand kMarkCommand{
    "mark", "mark FILE holiday|sick|vacation|standby DAYS",
    "Marks days of FILE as the Holiday, Sickness, Vacation and Stand-by commands do: the\n"
    "comment becomes \"Feiertag\", \"Krankenkasse\" or \"Urlaub\", or Stand-by becomes\n"
    "\"yes\" and the day is recomputed. DAYS are days of the month such as 3,5,10-14.\n"
    "FILE is saved. Exit status 1 when a day is not in FILE's month.\n",
    runMark};

} // namespace tallimo::cli
