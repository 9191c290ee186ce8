#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace tallimo::cli {
namespace {

int runLeave(CliContext& context) {
    return runInMonthCommand(context, "leave", &CTagrolView::OnLeave);
}

} // namespace

const CliCommand kLeaveCommand{
    "leave", "leave [FILE]",
    "Leave now: writes now as the Leave of today's row of FILE (default: the last document).\n"
    "A filled Leave is replaced only when the question is answered OK. FILE is saved when\n"
    "it changed. Exit status 1 when today lies outside FILE's month.\n",
    runLeave};

} // namespace tallimo::cli
