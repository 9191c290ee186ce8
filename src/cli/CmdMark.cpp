#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Confirmation.h"

namespace tallimo::cli {
namespace {

struct Marker {
    const char* word;
    void (CTagrolView::*command)();
    const char* marked; // as the line names the mark
};

constexpr Marker kMarkers[] = {
    {"holiday", &CTagrolView::OnTbHoliday, "Feiertag"},
    {"sick", &CTagrolView::OnTbIll, "Krankenkasse"},
    {"vacation", &CTagrolView::OnTbVacation, "Urlaub"},
    {"standby", &CTagrolView::OnTbStandby, "stand-by"},
};

// "3 days marked Urlaub", with the dates whose own comment the mark replaced.
Result mark(const Marker& marker, CTagrolView& view, std::string& line) {
    const CellTable& work = view.sheet().work;
    const std::vector<int> rows = work.selectedRowsDescending();
    std::vector<std::string> before;
    for (const int row : rows) {
        before.emplace_back(work.itemText(row, WorkColumn::Comment));
    }
    (view.*marker.command)();
    std::string replaced;
    std::size_t replacedCount = 0;
    for (std::size_t i = rows.size(); i-- > 0;) {
        const int row = rows[i];
        if (!before[i].empty() && before[i] != work.itemText(row, WorkColumn::Comment)) {
            replaced += (replaced.empty() ? "" : ", ") +
                        std::string(work.itemText(row, WorkColumn::Date)) + " \"" + before[i] +
                        "\"";
            ++replacedCount;
        }
    }
    line = counted(rows.size(), "day", "days") + " marked " + marker.marked;
    if (replacedCount > 0) {
        line += " (replaced the " + std::string(replacedCount == 1 ? "comment" : "comments") +
                " of " + replaced + ")";
    }
    return {};
}

int runMark(CliContext& context) {
    const auto& args = context.args;
    if (args.size() != 3) {
        return context.fail("mark: wants FILE holiday|sick|vacation|standby DAYS", kExitUsage);
    }
    for (const Marker& marker : kMarkers) {
        if (args[1] == marker.word) {
            return runOnSelection(context, "mark", args[2], args[0], false,
                                  [&marker](CTagrolView& view, std::string& line) {
                                      return mark(marker, view, line);
                                  });
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
    "FILE is saved and a line says how many days were marked and which comments the mark\n"
    "replaced. Exit status 1 when a day is not in FILE's month.\n",
    runMark};

} // namespace tallimo::cli
