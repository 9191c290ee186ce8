#include "cli/CliSupport.h"

#include <sys/stat.h>

namespace tallimo::cli {

int openDocument(CTagrolView& view, const std::string& path) {
    // As the program starts with a file named on its command line.
    view.document().OnNewDocument();
    return view.document().openStep(path) == OpenResult::Loaded ? kExitDone : kExitRefused;
}

bool pathExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

int saveIfModified(CTagrolView& view) {
    if (!view.document().isModified()) {
        return kExitDone;
    }
    return view.document().Save() ? kExitDone : kExitRefused;
}

} // namespace tallimo::cli
