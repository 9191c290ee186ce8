#include "cli/Commands.h"
#include "platform/posix/IniSettingsStore.h"
#include "view/PresenceJournal.h"
#include "view/Settings.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace tallimo::cli {
namespace {

// DD.MM.YYYY or YYYY-MM-DD, as noon of that day.
std::optional<Instant> parseDay(const std::string& text) {
    int year = 0, month = 0, day = 0;
    char rest = 0;
    const bool dotted = std::sscanf(text.c_str(), "%2d.%2d.%4d%c", &day, &month, &year, &rest) == 3;
    if (!dotted && std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &rest) != 3) {
        return std::nullopt;
    }
    const auto noon = makeLocalInstant(year, month, day, 12, 0, 0);
    // mktime moves the 31st of April on to May; such a date is refused, not moved.
    if (!noon || splitLocal(*noon).day != day || splitLocal(*noon).month != month) {
        return std::nullopt;
    }
    return noon;
}

int runPresence(CliContext& context) {
    if (context.args.size() > 1) {
        return context.fail("presence: wants at most one DATE", kExitUsage);
    }
    const auto day = context.args.empty() ? std::optional<Instant>(context.clock.now())
                                          : parseDay(context.args[0]);
    if (!day) {
        return context.fail("presence: DATE wants DD.MM.YYYY or YYYY-MM-DD, not '" +
                                context.args[0] + "'",
                            kExitUsage);
    }
    const SettingsRecord settings = loadSettings(context.settings);
    const PresenceJournal journal(presenceJournalPath());
    const auto unavailable = journal.unavailableReason();
    if (settings.presence == PresenceMode::Off) {
        context.out << "Presence: off (nothing is recorded; see Presence in 'options')\n";
    } else if (unavailable) {
        context.out << "Presence: " << presenceModeWord(settings.presence)
                    << ", unavailable: " << *unavailable << "\n";
    } else {
        context.out << "Presence: " << presenceModeWord(settings.presence)
                    << " (a lock counts as a departure after "
                    << awayMinutesText(settings.presenceAwayMinutes) << ")\n";
    }
    const std::string date = formatInstant(*day, "%d.%m.%Y");
    std::vector<PresenceEntry> entries = journal.read();
    std::erase_if(entries, [&date](const PresenceEntry& entry) {
        return formatInstant(entry.at, "%d.%m.%Y") != date;
    });
    // A departure is journalled when it is settled, after the events that followed its start.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const PresenceEntry& a, const PresenceEntry& b) { return a.at < b.at; });
    if (entries.empty()) {
        context.out << "No presence events on " << date << ".\n";
        return kExitDone;
    }
    context.out << date << ":\n";
    for (const PresenceEntry& entry : entries) {
        std::string source = entry.source;
        source.resize(std::max<std::size_t>(source.size(), 20), ' ');
        context.out << formatInstant(entry.at, "%H:%M:%S") << "  " << source << "  "
                    << entry.outcome << '\n';
    }
    return kExitDone;
}

} // namespace

const CliCommand kPresenceCommand{
    "presence", "presence [DATE]",
    "Lists the arrivals and departures the desktop saw on DATE (DD.MM.YYYY or YYYY-MM-DD;\n"
    "default: today, as --now or --at set it): the moment each happened, its source\n"
    "(started, unlocked, screen saver ended, resumed, locked, screen saver started,\n"
    "suspended, session ended) and what it recorded or why it did not. The first line says\n"
    "whether presence detection is off, suggests or records automatically, and when the\n"
    "desktop could watch neither logind nor a screen saver, why it is unavailable. The\n"
    "journal lies beside the settings and keeps the last 60 days.\n",
    runPresence};

} // namespace tallimo::cli
