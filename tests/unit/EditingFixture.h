#pragma once

#include "platform/fake/FakePlatform.h"
#include "platform/posix/DlLibraryLoader.h"
#include "support/TempDir.h"
#include "view/CTagrolView.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace tallimo::test {

// A view on the fakes (and the real library loader) with March 2006 loaded and bound to a file,
// so that every save of the after-change step is counted.
class EditingFixture {
public:
    explicit EditingFixture(bool autoSave = false) {
        if (autoSave) {
            settings.setString(kSettingsSection, "AutoSave", "on");
        }
        settings.setString(kSettingsSection, "PlugInDir", pluginDir());
        view = std::make_unique<CTagrolView>(platform);
        view->document().setPath(dir.file("March2006.time"));
        view->InitListCtrl(3, 2006);
        view->document().Save();
        settings.writes.clear();
        trace.lines.clear();
    }

    std::string pluginDir() const { return dir.file("plugins"); }

    CellTable& work() { return view->sheet().work; }
    CellTable& squad() { return view->sheet().squad; }
    CTagrolDoc& doc() { return view->document(); }

    static void select(CellTable& table, std::initializer_list<int> rows) {
        table.clearSelection();
        for (const int row : rows) {
            table.setSelected(row, true);
        }
    }

    int addPeriod(const std::string& start, const std::string& end) {
        const int row = squad().InsertItem(squad().rowCount(), start);
        squad().SetItemText(row, SquadColumn::End, end);
        return row;
    }

    // Saves since the fixture was set up: each one stores the path as the last document.
    int saves() const {
        return static_cast<int>(
            std::count_if(settings.writes.begin(), settings.writes.end(), [](const auto& write) {
                return write.rfind("Settings/LastDocument=", 0) == 0;
            }));
    }

    std::vector<std::string> traced() const { return trace.texts(); }
    bool traced(const std::string& text) const {
        const auto texts = trace.texts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    TempDir dir;
    fake::FakeUi ui;
    fake::FakeSettingsStore settings;
    fake::FakeClock clock;
    fake::FakeTimers timers;
    fake::RecordingTraceSink trace;
    DlLibraryLoader libraries;
    Platform platform{ui, settings, clock, timers, trace, libraries};
    std::unique_ptr<CTagrolView> view;
};

} // namespace tallimo::test
