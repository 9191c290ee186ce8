#pragma once

namespace tallimo {

class CMainFrame;
class CTagrolView;
class SettingsStore;

// The window's own memory, in the settings store's section "Window" (never in "Settings", which
// belongs to the view): geometry, bars, the shown list and the lists' column widths.
void restoreWindowState(const SettingsStore& store, CMainFrame& frame, CTagrolView& view);
// Writes only what changed since the store last held it.
void saveWindowState(SettingsStore& store, CMainFrame& frame, const CTagrolView& view);

} // namespace tallimo
