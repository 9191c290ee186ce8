#pragma once

#include <string>
#include <utility>

namespace tallimo {

// How an operation that the user may see refused or failed ended.
enum class Outcome {
    Done,        // it did its work
    NothingToDo, // there was nothing to act on (no rows selected, no plug-in chosen)
    Cancelled,   // the user answered Cancel or closed a dialog
    Refused,     // the program would not act (today outside the month, a damaged file)
    Failed,      // the system failed it (a file could not be read or written, a plug-in failed)
};

// The one result shape of the operations that can fail with a message to the user: open, save,
// import, export and the commands the CLI reports. `message` says why; it is empty when the user
// has been told already (in a message box of the operation itself).
struct Result {
    Outcome outcome = Outcome::Done;
    std::string message;

    bool done() const { return outcome == Outcome::Done; }
    explicit operator bool() const { return done(); }

    static Result failed(std::string reason = {}) { return {Outcome::Failed, std::move(reason)}; }
    static Result refused(std::string reason = {}) { return {Outcome::Refused, std::move(reason)}; }
    static Result cancelled() { return {Outcome::Cancelled, {}}; }
    static Result nothingToDo() { return {Outcome::NothingToDo, {}}; }
};

} // namespace tallimo
