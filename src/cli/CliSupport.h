#pragma once

#include "cli/CliArguments.h"
#include "cli/CliContext.h"
#include "view/CTagrolView.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tallimo::cli {

// How long a command that changes a month waits for another writer of it.
inline constexpr std::chrono::seconds kWriterWait{10};

// Starts the document as the program does with FILE on its command line: a new, untitled
// document, then the open step on FILE. The document has told the user why when it fails.
// Returns kExitDone or kExitRefused.
int openDocument(CTagrolView& view, const std::string& path);

// A month with a recovery copy beside it holds changes the desktop has not saved yet: commands
// that write it refuse (kExitRefused, after saying why) unless --force; else kExitDone.
int refuseRecoveredMonth(CliContext& context, const std::string& path);

// Opens FILE for a command that changes it. The month's lock is held from here to the save, so
// no other writer comes between; the save refuses a file whose load reported damage, or that
// another program changed meanwhile, unless --force was given.
int openForWriting(CliContext& context, CTagrolView& view, const std::string& path);

// The view of a command that changes FILE (see openForWriting).
class WritingView {
public:
    explicit WritingView(CliContext& context)
        : m_context(context), m_platform(context.platform()), m_view(m_platform) {}
    CTagrolView& view() { return m_view; }
    int open(const std::string& path) { return openForWriting(m_context, m_view, path); }
    // After the view command: the changed month saved when it is done, else the refusal.
    int saveAfter(const std::string& name, const Result& command);
    CliContext& context() { return m_context; }

private:
    CliContext& m_context;
    Platform m_platform;
    CTagrolView m_view;
};

// The view of a command that only looks at FILE (show, total, export): the settings are read but
// never written, so that LastDocument keeps naming the month last changed, which enter or leave
// without FILE would otherwise write into.
class ReadingView {
public:
    ReadingView(CliContext& context, Ui& ui);
    CTagrolView& view() { return m_view; }
    int open(const std::string& path) { return openDocument(m_view, path); }
    // Opens the command's FILE, else LastDocument: kExitUsage when there is none (the user was
    // told), kExitRefused when it cannot be loaded (the open step told why), else kExitDone.
    int openFileOf(CliContext& context, const std::string& name, const ParsedArguments& parsed);
    // The plug-ins built with the program, which Export lists while PlugInDir is empty.
    const std::string& bundledPlugInDir() const { return m_platform.bundledPlugInDir; }

private:
    ReadOnlySettings m_settings;
    Platform m_platform;
    CTagrolView m_view;
};

// Whether anything (a file, a folder, a dangling link) already has the name; new and import
// refuse to replace it without --force.
bool pathExists(const std::string& path);

// kExitDone for a result that is done; otherwise kExitRefused, after the result's message (where
// the user has not been told yet) prefixed with the command's name.
int exitStatus(CliContext& context, const std::string& name, const Result& result);

// A command that changed the month saves it, whatever AutoSave says: the user asked for an edit
// of that file. Returns kExitDone, or kExitRefused when the save failed or was refused.
int saveIfModified(CliContext& context, CTagrolView& view);

// FILE of the commands where it may be left out: the one given, else LastDocument. Empty, after
// a usage message, when there is none or more than one.
std::string fileOrLastDocument(CliContext& context, const std::string& name,
                               const ParsedArguments& parsed);

// A command on today's row or period: runs the view command at the context's clock and puts in
// `line` what it recorded, for the confirmation.
using RecordingCommand = Result (*)(CliContext& context, CTagrolView& view, std::string& line);

// enter, leave and squad-start: [FILE] (default: LastDocument), then the command, which refuses
// an instant outside the month; a refusal on the default file says which month that file holds.
int runInMonthCommand(CliContext& context, const std::string& name, RecordingCommand command);

// A command on the selected rows; puts in `line` what it did, for the confirmation.
using SelectionCommand = std::function<Result(CTagrolView& view, std::string& line)>;

// mark, clear and squad-delete: selects the listed days (counted from 1) or squad rows (from 0)
// of FILE, runs the command on the selection and saves what changed.
int runOnSelection(CliContext& context, const std::string& name, const std::string& listText,
                   const std::string& file, bool squad, const SelectionCommand& command);

// Saves a month that a command changed and then confirms `line`; the exit status.
int saveAndConfirm(CliContext& context, WritingView& writing, const std::string& name,
                   const Result& command, const std::string& file, const std::string& line);

} // namespace tallimo::cli
