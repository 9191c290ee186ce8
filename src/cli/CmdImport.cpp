#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace tallimo::cli {

namespace {

int runImport(CliContext& context) {
    const ParsedArguments parsed = parseArguments(context.args, {}, {"--force"});
    if (!parsed.error.empty()) {
        return context.fail("import: " + parsed.error, kExitUsage);
    }
    const std::vector<std::string>& files = parsed.positional;
    if (files.size() != 2) {
        return context.fail("import: wants OLDFILE and NEWFILE (see 'tallimo-cli import --help')",
                            kExitUsage);
    }
    const std::string& newFile = files[1];
    if (!parsed.flag("--force") && !context.force && pathExists(newFile)) {
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
    return saveIfModified(context, view);
}

} // namespace

const CliCommand kImportCommand{
    "import", "import OLDFILE NEWFILE [--force]",
    "Imports OLDFILE, a time sheet of the previous file generation, and writes the month in\n"
    "the current format to NEWFILE. A file that ends early is reported; the rows read\n"
    "before its end are written.\n"
    "  --force  replace NEWFILE when it exists\n",
    runImport};

} // namespace tallimo::cli
