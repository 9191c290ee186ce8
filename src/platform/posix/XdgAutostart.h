#pragma once

#include <string>

namespace tallimo {

// The user's XDG autostart entry that starts the desktop at login, hidden in the notification
// area where there is one: $XDG_CONFIG_HOME/autostart/com.morvane.Tallimo.desktop.
std::string autostartEntryPath();
bool autostartEnabled();
// Writes the entry (beside its name, then renamed into place) or removes it; false with the
// reason in `error` when that failed.
bool setAutostart(bool on, std::string& error);

} // namespace tallimo
