#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace tallimo::cli {
namespace {

int runEnter(CliContext& context) {
    return runInMonthCommand(context, "enter", &CTagrolView::OnEnter);
}

} // namespace

const CliCommand kEnterCommand{
    "enter", "enter [FILE]",
    "Enter now: records the arrival in today's row of FILE (default: the last document):\n"
    "Enter now, Leave 9 hours later, the comment \"automatic created entry\". A filled Enter\n"
    "is replaced only when the question is answered OK. Makes the backup copy when\n"
    "AutoBackup is on. FILE is saved when it changed. Exit status 1 when today lies\n"
    "outside FILE's month.\n",
    runEnter};

} // namespace tallimo::cli
