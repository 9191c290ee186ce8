#pragma once

#include "document/Result.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tallimo {

// The steps a month's history keeps; the oldest go first.
inline constexpr std::size_t kHistorySteps = 128;

// The step the one door of a program (the desktop's command runner, the CLI's command dispatch)
// has opened around the command now running: every save of a month while it is open belongs to
// that one step of the month's history, however often the command saves. Any other writer of a
// month (presence detection, say) opens a step of its own the same way.
struct UndoStep {
    std::string name = "Change";
    std::string token; // empty: each save is a step of its own
};

// A token no other step of any program shares.
std::string newStepToken(std::int64_t now);

// One change of a month file. The two versions differ in one stretch: kept are the length of the
// common beginning and both middles; the hashes of the whole files tell whether a file is the one
// the step expects before it is undone or redone.
struct HistoryStep {
    std::string name;
    std::string token;
    std::size_t prefix = 0;
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;
    std::uint64_t beforeHash = 0;
    std::uint64_t afterHash = 0;
};

// The history of one month: the steps before the cursor can be undone, the ones from it on
// redone.
struct MonthHistory {
    std::vector<HistoryStep> steps;
    std::size_t cursor = 0;

    const HistoryStep* toUndo() const { return cursor > 0 ? &steps[cursor - 1] : nullptr; }
    const HistoryStep* toRedo() const { return cursor < steps.size() ? &steps[cursor] : nullptr; }
    // Records the change `before` -> `after` as a new step, dropping the redo steps; a save of
    // the step that made the last one is folded into it.
    void record(const UndoStep& step, std::span<const std::uint8_t> before,
                std::span<const std::uint8_t> after);
    // What undoing (redoing) the step at the cursor makes of `current`; nothing when `current`
    // is not the file that step left (found).
    std::optional<std::vector<std::uint8_t>> undone(std::span<const std::uint8_t> current) const;
    std::optional<std::vector<std::uint8_t>> redone(std::span<const std::uint8_t> current) const;
};

// The helper file beside the month that holds its history.
std::string historyFileOf(const std::string& monthPath);
// The month's history; empty where there is none or it cannot be read.
MonthHistory readHistory(const std::string& monthPath);
Result writeHistory(const std::string& monthPath, const MonthHistory& history);
// Drops the history of a month that is written anew where an earlier one was removed.
void removeHistory(const std::string& monthPath);

// Adds a save of the month to its history; the saver holds the month's lock.
Result recordSave(const std::string& monthPath, const UndoStep& step,
                  std::span<const std::uint8_t> before, std::span<const std::uint8_t> after);

enum class StepDirection { Undo, Redo };

// Undoes or redoes the month's step at the cursor on the disk under the month's lock, writing
// the month as a save does. Refused "Nothing to undo." / "Nothing to redo." at the ends, refused
// when the month is no longer the file that step expects. `name` gets the step's name.
Result applyHistoryStep(const std::string& monthPath, StepDirection direction, std::string& name);

} // namespace tallimo
