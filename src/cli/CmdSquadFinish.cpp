#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "platform/Encoding.h"

#include <charconv>

namespace tallimo::cli {
namespace {

std::optional<int> rowNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < 0) {
        return std::nullopt;
    }
    return value;
}

// A new process never knows the period started last, so the finish always takes the selection
// route: --row selects that row, else every open period is selected and the command accepts
// exactly one.
int runSquadFinish(CliContext& context) {
    const ParsedArguments parsed = parseArguments(context.args, {"--row"}, {});
    if (!parsed.error.empty()) {
        return context.fail("squad-finish: " + parsed.error, kExitUsage);
    }
    std::optional<int> row;
    if (const auto text = parsed.option("--row")) {
        row = rowNumber(*text);
        if (!row) {
            return context.fail("squad-finish: --row wants a row number from 0", kExitUsage);
        }
    }
    const std::string file = fileOrLastDocument(context, "squad-finish", parsed);
    if (file.empty()) {
        return kExitUsage;
    }
    WritingView writing(context);
    if (writing.open(file) != kExitDone) {
        return kExitRefused;
    }
    CTagrolView& view = writing.view();
    CellTable& squad = view.sheet().squad;
    squad.clearSelection();
    if (row) {
        if (*row >= squad.rowCount()) {
            return context.fail("squad-finish: squad row " + std::to_string(*row) +
                                " does not exist (the file has " +
                                std::to_string(squad.rowCount()) + ")");
        }
        squad.setSelected(*row, true);
    } else {
        for (int open = 0; open < squad.rowCount(); ++open) {
            squad.setSelected(open, squad.itemText(open, SquadColumn::End).empty());
        }
    }
    const std::vector<int> chosen = squad.selectedRowsDescending();
    // Refused (the view has said why), or the user kept an End already written.
    const Result result = view.OnFinishsquadnow();
    if (chosen.size() > 1) {
        std::string open;
        for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) {
            open += (open.empty() ? "" : ", ") + std::to_string(*it) + " (started " +
                    std::string(squad.itemText(*it, SquadColumn::Start)) + ")";
        }
        context.fail("squad-finish: " + std::to_string(chosen.size()) +
                     " periods are open; finish one with --row N: " + windows1252ToUtf8(open));
    }
    const int finished = chosen.empty() ? -1 : chosen.front();
    return saveAndConfirm(context, writing, "squad-finish", result, file,
                          "stand-by period " + std::to_string(finished) + " finished " +
                              std::string(squad.itemText(finished, SquadColumn::End)) + " (" +
                              std::string(squad.itemText(finished, SquadColumn::Worktime)) + ")");
}

} // namespace

const CliCommand kSquadFinishCommand{
    "squad-finish", "squad-finish [FILE] [--row N]",
    "Finish squad now: writes now as the End of one stand-by period of FILE (default: the\n"
    "last document). Each run is a new process, so the period started last is not\n"
    "remembered; the period is chosen as a selection:\n"
    "  --row N  the squad row N, counted from 0 as 'show' numbers them\n"
    "Without --row the one period whose End is empty is finished; with none open the\n"
    "command refuses, with several it refuses and lists them. A period that has an End is\n"
    "changed only when the question is answered OK. A line names FILE, the period and its\n"
    "length. Exit status 1 when no period was finished.\n",
    runSquadFinish};

} // namespace tallimo::cli
