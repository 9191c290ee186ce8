#include "cli/Commands.h"
#include "view/CTagrolView.h"

#include <sys/stat.h>

namespace tallimo::cli {
namespace {

struct YearMonth {
    int year = 0;
    int month = 0;
};

// "YYYY-MM", strictly: a typo must not make another month.
std::optional<YearMonth> parseYearMonth(const std::string& text) {
    if (text.size() != 7 || text[4] != '-') {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != 4 && (text[i] < '0' || text[i] > '9')) {
            return std::nullopt;
        }
    }
    const YearMonth parsed{readNumberAt(text, 1, 4), readNumberAt(text, 6, 7)};
    if (parsed.month < 1 || parsed.month > 12) {
        return std::nullopt;
    }
    return parsed;
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

} // namespace

int runNew(CliContext& context) {
    std::vector<std::string> positional;
    bool force = false;
    for (const auto& arg : context.args) {
        if (arg == "--force") {
            force = true;
        } else if (arg.starts_with("--")) {
            return context.fail("new: unknown option '" + arg + "'", kExitUsage);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        return context.fail("new: wants YYYY-MM and FILE (see 'tallimo-cli new --help')",
                            kExitUsage);
    }
    const auto month = parseYearMonth(positional[0]);
    if (!month) {
        return context.fail("new: wants the month as YYYY-MM, not '" + positional[0] + "'",
                            kExitUsage);
    }
    const std::string& file = positional[1];
    if (!force && exists(file)) {
        return context.fail("new: " + file + " exists; use --force to replace it");
    }

    Platform platform = context.platform();
    CTagrolView view(platform);
    CTagrolDoc& document = view.document();
    document.OnNewDocument();
    // The steps of the New command on a fresh view, the month given instead of picked.
    view.sheet().work.DeleteAllItems();
    view.sheet().squad.DeleteAllItems();
    const auto first = makeLocalInstant(month->year, month->month, 1, 0, 0, 0);
    if (first) {
        document.SetTitle(formatInstant(*first, "%B%Y") + ".time");
    }
    document.setPath("");
    if (!first || !view.InitListCtrl(month->month, month->year)) {
        return context.fail("new: " + positional[0] +
                            " lies outside the months a time sheet holds");
    }
    // Written as Save writes; the document has told the user why when it fails.
    return document.OnSaveDocument(file) ? kExitDone : kExitRefused;
}

} // namespace tallimo::cli
