#include "cli/Commands.h"

namespace tallimo::cli {

int runNew(CliContext& context) {
    return context.fail("new: not built yet");
}

} // namespace tallimo::cli
