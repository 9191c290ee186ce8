#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Confirmation.h"

namespace tallimo::cli {
namespace {

Result enter(CliContext& context, CTagrolView& view, std::string& line) {
    const int row = view.enterRow(context.clock.now());
    const CellTable& work = view.sheet().work;
    const std::string before(work.itemText(row, WorkColumn::Enter));
    Result result = view.OnEnter();
    if (result.outcome == Outcome::Cancelled) {
        // Kept, recomputed and saved all the same, as the desktop does.
        line = std::string(work.itemText(row, WorkColumn::Date)) +
               " nothing recorded: Enter stays " + before;
        return {};
    }
    if (result) {
        line = dayWords(work, row) + " (forecast)";
    }
    return result;
}

int runEnter(CliContext& context) {
    return runInMonthCommand(context, "enter", enter);
}

} // namespace

const CliCommand kEnterCommand{
    "enter", "enter [FILE]",
    "Enter now: records the arrival in today's row of FILE (default: the last document):\n"
    "Enter now, Leave 9 hours later, the comment \"automatic created entry\". A filled Enter\n"
    "is replaced only when the question is answered OK; on Cancel nothing is recorded and\n"
    "the exit status is still 0. Makes the backup copy when AutoBackup is on. FILE is saved\n"
    "when it changed and a line names it and the times. Exit status 1 when today lies\n"
    "outside FILE's month.\n",
    runEnter};

} // namespace tallimo::cli
