#include "cli/CapturingUi.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "platform/Encoding.h"

#include <cstdint>
#include <optional>

namespace tallimo::cli {
namespace {

// A row index or range bound: decimal digits only, small enough to compare safely.
std::optional<std::int64_t> parseIndex(std::string_view text) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

struct RowRange {
    std::int64_t first = 0;
    std::int64_t last = 0;
};

// "0,3,5-9": 0-based rows and inclusive ranges. An empty list selects nothing.
std::optional<std::vector<RowRange>> parseRowList(std::string_view list) {
    std::vector<RowRange> ranges;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        const std::size_t dash = item.find('-');
        const auto first = parseIndex(item.substr(0, dash));
        const auto last =
            dash == std::string_view::npos ? first : parseIndex(item.substr(dash + 1));
        if (!first || !last || *last < *first) {
            return std::nullopt;
        }
        ranges.push_back({*first, *last});
        if (comma == std::string_view::npos) {
            break;
        }
        list.remove_prefix(comma + 1);
        if (list.empty()) {
            return std::nullopt; // a trailing comma
        }
    }
    return ranges;
}

} // namespace

int runTotal(CliContext& context) {
    std::vector<std::string> positional;
    bool squad = false;
    std::optional<std::string> rowList;
    for (std::size_t i = 0; i < context.args.size(); ++i) {
        const std::string& arg = context.args[i];
        if (arg == "--squad") {
            squad = true;
        } else if (arg == "--rows" && i + 1 < context.args.size()) {
            rowList = context.args[++i];
        } else if (arg == "--rows") {
            return context.fail("total: --rows needs a LIST such as 0,3,5-9", kExitUsage);
        } else if (arg.starts_with("--")) {
            return context.fail("total: unknown option '" + arg + "'", kExitUsage);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 1) {
        return context.fail("total: wants one FILE (see 'tallimo-cli total --help')", kExitUsage);
    }
    std::optional<std::vector<RowRange>> ranges;
    if (rowList) {
        ranges = parseRowList(*rowList);
        if (!ranges) {
            return context.fail("total: --rows wants 0-based rows such as 0,3,5-9, not '" +
                                    *rowList + "'",
                                kExitUsage);
        }
    }

    CapturingUi ui(context.ui);
    ReadOnlySettings settings(context.settings);
    Platform platform{
        ui, settings, context.clock, context.timers, context.trace, context.libraries};
    CTagrolView view(platform);
    if (openDocument(view, positional[0]) != kExitDone) {
        return kExitRefused;
    }
    if (squad) {
        view.OnShowSquadTime();
    }
    ui.startCapture();
    if (ranges) {
        CellTable& list = view.visibleList();
        for (const RowRange& range : *ranges) {
            if (range.last >= list.rowCount()) {
                return context.fail("total: row " + std::to_string(range.last) +
                                        " is beyond the table (" + std::to_string(list.rowCount()) +
                                        " rows)",
                                    kExitUsage);
            }
        }
        list.clearSelection();
        for (const RowRange& range : *ranges) {
            for (auto row = range.first; row <= range.last; ++row) {
                list.setSelected(static_cast<int>(row), true);
            }
        }
        view.OnCalculateovertimeselectedonly();
    } else {
        view.OnCalculateovertimemonth();
    }
    for (const std::string& message : ui.captured()) {
        context.out << windows1252ToUtf8(message) << '\n';
    }
    return kExitDone;
}

} // namespace tallimo::cli
