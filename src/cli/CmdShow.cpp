#include "cli/Commands.h"

namespace tallimo::cli {

int runShow(CliContext& context) {
    return context.fail("show: not built yet");
}

} // namespace tallimo::cli
