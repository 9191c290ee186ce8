#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include <sys/stat.h>

namespace tallimo::cli {

int runImport(CliContext& context) {
    std::vector<std::string> files;
    bool force = false;
    for (const auto& arg : context.args) {
        if (arg == "--force") {
            force = true;
        } else if (arg.starts_with("--")) {
            return context.fail("import: unknown option '" + arg + "'", kExitUsage);
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) {
        return context.fail("import: wants OLDFILE and NEWFILE (see 'tallimo-cli import --help')",
                            kExitUsage);
    }
    const std::string& newFile = files[1];
    struct stat info {};
    if (!force && ::lstat(newFile.c_str(), &info) == 0) {
        return context.fail("import: " + newFile + " exists; use --force to replace it");
    }

    Platform platform = context.platform();
    CTagrolView view(platform);
    CTagrolDoc& document = view.document();
    document.OnNewDocument();
    context.ui.files = {files[0]};
    view.OnFileImport();
    // An import that read no month has said why and left the fresh document untouched.
    if (!document.isModified()) {
        return kExitRefused;
    }
    if (view.sheet().work.rowCount() == 0) {
        return context.fail("import: " + files[0] + " names no month a time sheet can hold");
    }
    document.setPath(newFile);
    return saveIfModified(view);
}

} // namespace tallimo::cli
