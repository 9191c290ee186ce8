#pragma once

#include "platform/fake/FakePlatform.h"
#include "view/CTagrolView.h"
#include "view/NewMonthDialog.h"

#include <memory>
#include <string>

namespace tallimo::test {

// A view on the fakes with a month made through "New", for the recording commands.
class RecordingFixture {
public:
    class NoLibraries final : public LibraryLoader {
    public:
        std::unique_ptr<Library> load(const std::string&, std::string& error) override {
            error = "no libraries in this test";
            return nullptr;
        }
    };

    // Switches such as "RememberMe" are stored before the view reads the settings.
    explicit RecordingFixture(std::initializer_list<const char*> switchesOn = {}) {
        for (const char* key : switchesOn) {
            settings.setString(kSettingsSection, key, "on");
        }
        settings.writes.clear();
        view = std::make_unique<CTagrolView>(platform);
    }

    static Instant at(int day, int month, int year, int hour = 0, int minute = 0, int second = 0) {
        return *makeLocalInstant(year, month, day, hour, minute, second);
    }

    void newMonth(int month, int year) {
        ui.onNewMonthDialog = [=](NewMonthDialog& dialog) {
            dialog.chosen = at(15, month, year, 12);
            dialog.OnOK();
            return true;
        };
        view->OnFileNew();
        ui.onNewMonthDialog = nullptr;
    }

    void setNow(Instant now) { clock.current = now; }
    CellTable& work() { return view->sheet().work; }
    CellTable& squad() { return view->sheet().squad; }
    std::string cell(int row, int column) const {
        return view->sheet().work.GetItemText(row, column);
    }
    bool traced(const std::string& text) const {
        for (const auto& line : trace.texts()) {
            if (line == text) {
                return true;
            }
        }
        return false;
    }

    fake::FakeUi ui;
    fake::FakeSettingsStore settings;
    fake::FakeClock clock;
    fake::FakeTimers timers;
    fake::RecordingTraceSink trace;
    NoLibraries libraries;
    Platform platform{ui, settings, clock, timers, trace, libraries};
    std::unique_ptr<CTagrolView> view;
};

} // namespace tallimo::test
