#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Confirmation.h"

namespace tallimo::cli {

namespace {

int runImport(CliContext& context) {
    const ParsedArguments parsed = parseArguments(context.args, {}, {});
    if (!parsed.error.empty()) {
        return context.fail("import: " + parsed.error, kExitUsage);
    }
    const std::vector<std::string>& files = parsed.positional;
    if (files.size() != 2) {
        return context.fail("import: wants OLDFILE and NEWFILE (see 'tallimo-cli import --help')",
                            kExitUsage);
    }
    const std::string& newFile = files[1];
    if (!context.switches.force && pathExists(newFile)) {
        return context.fail("import: " + newFile + " exists; use --force to replace it");
    }

    Platform platform = context.platform();
    CTagrolView view(platform);
    CTagrolDoc& document = view.document();
    document.OnNewDocument();
    context.ui.files = {files[0]};
    // An import that read no month has said why and left the fresh document untouched.
    if (!view.OnFileImport()) {
        return kExitRefused;
    }
    if (view.sheet().work.rowCount() == 0) {
        return context.fail("import: " + files[0] + " names no month a time sheet can hold");
    }
    document.setPath(newFile);
    const int status = saveIfModified(context, view);
    if (status == kExitDone) {
        const CellTable& work = view.sheet().work;
        context.confirm(
            newFile, monthWords(work) + " imported, " +
                         counted(static_cast<std::size_t>(work.rowCount()), "day", "days") + ", " +
                         counted(static_cast<std::size_t>(view.sheet().squad.rowCount()),
                                 "stand-by period", "stand-by periods"));
    }
    return status;
}

} // namespace

const CliCommand kImportCommand{
    "import", "import OLDFILE NEWFILE [--force]",
    "Imports OLDFILE, a time sheet of the previous file generation, and writes the month in\n"
    "the current format to NEWFILE, and says so in a line. A file that ends early is\n"
    "reported; the rows read before its end are written.\n"
    "  --force  replace NEWFILE when it exists\n",
    runImport};

} // namespace tallimo::cli
