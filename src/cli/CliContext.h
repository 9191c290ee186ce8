#pragma once

#include "cli/TerminalUi.h"
#include "document/UndoHistory.h"
#include "platform/Clock.h"
#include "platform/LibraryLoader.h"
#include "platform/SettingsStore.h"
#include "platform/Timers.h"
#include "platform/TraceSink.h"
#include "view/Platform.h"

#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tallimo::cli {

// Exit statuses of every subcommand.
inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// A clock fixed by --now/--at, else the system clock.
class CliClock final : public Clock {
public:
    Instant now() const override { return m_fixed ? *m_fixed : m_system.now(); }
    void fix(Instant instant) { m_fixed = instant; }

private:
    SystemClock m_system;
    std::optional<Instant> m_fixed;
};

// The CLI runs one command and ends, so a reminder timer would never tick: none is started.
class NoTimers final : public Timers {
public:
    unsigned start(unsigned, unsigned) override { return 0; }
    void stop(unsigned) override {}
};

// For the commands that only look at a file (show, total, export): reads reach the store, writes
// are dropped. Opening a file records it as LastDocument, and enter or leave without FILE would
// then write into whatever file was last looked at, a backup for instance.
class ReadOnlySettings final : public SettingsStore {
public:
    explicit ReadOnlySettings(const SettingsStore& store) : m_store(store) {}
    std::optional<std::string> getString(const std::string& section,
                                         const std::string& key) const override {
        return m_store.getString(section, key);
    }
    std::optional<int> getInt(const std::string& section, const std::string& key) const override {
        return m_store.getInt(section, key);
    }
    void setString(const std::string&, const std::string&, const std::string&) override {}
    void setInt(const std::string&, const std::string&, int) override {}
    void remove(const std::string&, const std::string&) override {}
    bool sync() override { return true; }

private:
    const SettingsStore& m_store;
};

// The store of the CLI: writes are kept until the command has ended and then written at once,
// so that no settings file is rewritten while the month's lock is held; a write that changes
// nothing is dropped.
class DeferredSettings final : public SettingsStore {
public:
    explicit DeferredSettings(SettingsStore& store) : m_store(store) {}
    std::optional<std::string> getString(const std::string& section,
                                         const std::string& key) const override;
    std::optional<int> getInt(const std::string& section, const std::string& key) const override;
    void setString(const std::string& section, const std::string& key,
                   const std::string& value) override;
    void setInt(const std::string& section, const std::string& key, int value) override;
    void remove(const std::string& section, const std::string& key) override;
    // Writes what was kept, if anything; false when the store could not be written.
    bool sync() override;
    bool pending() const { return !m_writes.empty(); }

private:
    using Value = std::variant<std::monostate, std::string, int>; // monostate: removed
    void keep(const std::string& section, const std::string& key, Value value);

    SettingsStore& m_store;
    std::map<std::pair<std::string, std::string>, Value> m_writes;
};

// Trace lines go to standard error with --trace, else nowhere.
class StreamTraceSink final : public TraceSink {
public:
    StreamTraceSink(std::ostream* stream) : m_stream(stream) {}
    void write(std::string_view line) override;

private:
    std::ostream* m_stream;
};

// The global options and what the program found about its surroundings.
struct CliSwitches {
    AnswerPolicy policy = AnswerPolicy::AskTerminal;
    bool trace = false;
    bool force = false;    // --force: replace, or save over what a save would refuse
    bool quiet = false;    // --quiet: no confirmation lines
    bool terminal = false; // standard output is a terminal
    bool colour = false;   // the terminal may be written in colour (no NO_COLOR, no dumb TERM)
};

// Everything a subcommand needs: its arguments, the streams and the seams' adapters.
struct CliContext {
    CliContext(std::vector<std::string> arguments, std::ostream& outStream, std::ostream& errStream,
               const CliSwitches& switches, SettingsStore& settingsStore,
               LibraryLoader& libraryLoader);

    Platform platform();
    // "tallimo-cli: " + text on standard error; returns kExitRefused or the given status.
    int fail(const std::string& text, int status = kExitRefused);
    // The line that says what a command changed, "FILE: what" (UTF-8) on standard output, unless
    // --quiet. `what` is in the cells' code page; its control characters are shown escaped.
    void confirm(const std::string& file, const std::string& what);
    // The same with `what` already UTF-8 (settings and paths are the system's bytes).
    void confirmUtf8(const std::string& file, const std::string& what);

    std::vector<std::string> args; // after the command name, global options removed
    CliSwitches switches;
    std::ostream& out;
    std::ostream& err;
    TerminalUi ui;
    SettingsStore& settings;
    CliClock clock;
    NoTimers timers;
    StreamTraceSink trace;
    LibraryLoader& libraries;
    // The undo step the dispatch opened around the command: all its saves of a month are one.
    UndoStep step;
};

} // namespace tallimo::cli
