#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Confirmation.h"

namespace tallimo::cli {
namespace {

Result leave(CliContext& context, CTagrolView& view, std::string& line) {
    const int row = view.leaveRow(context.clock.now());
    const CellTable& work = view.sheet().work;
    const std::string before(work.itemText(row, WorkColumn::Leave));
    const Result result = view.OnLeave();
    const std::string date(work.itemText(row, WorkColumn::Date));
    if (result.outcome == Outcome::Cancelled) {
        line = date + " nothing recorded: Leave stays " + before;
        return {};
    }
    if (result) {
        line = date + " Leave " + std::string(work.itemText(row, WorkColumn::Leave)) +
               overtimeWords(work, row);
    }
    return result;
}

int runLeave(CliContext& context) {
    return runInMonthCommand(context, "leave", leave);
}

} // namespace

const CliCommand kLeaveCommand{
    "leave", "leave [FILE]",
    "Leave now: writes now as the Leave of today's row of FILE (default: the last document).\n"
    "Before noon, on a day without an Enter, the shift that began yesterday ends: yesterday's\n"
    "Leave is written in the carried-over form (00:30 as 24:30:00). A filled Leave is\n"
    "replaced only when the question is answered OK; on Cancel nothing is recorded and the\n"
    "exit status is still 0. FILE is saved when it changed and a line names it, the Leave\n"
    "and the day's overtime. Exit status 1 when today lies outside FILE's month.\n",
    runLeave};

} // namespace tallimo::cli
