#pragma once

#include "platform/fake/FakePlatform.h"
#include "view/CTagrolView.h"

#include <memory>
#include <string>

namespace tallimo::test {

// A view on the fakes, with helpers that fill rows the way a loaded month holds them.
class CalcViewFixture {
public:
    class NoLibraries final : public LibraryLoader {
    public:
        std::unique_ptr<Library> load(const std::string&, std::string& error) override {
            error = "no libraries in this test";
            return nullptr;
        }
    };

    explicit CalcViewFixture(bool rememberMe = false) {
        if (rememberMe) {
            settings.setString(kSettingsSection, "RememberMe", "on");
        }
        view = std::make_unique<CTagrolView>(platform);
    }

    CellTable& work() { return view->sheet().work; }
    CellTable& squad() { return view->sheet().squad; }

    int addDay(const std::string& date, const std::string& enter, const std::string& leave,
               const std::string& standBy = "") {
        const int row = work().InsertItem(work().rowCount(), date);
        work().SetItemText(row, WorkColumn::Enter, enter);
        work().SetItemText(row, WorkColumn::Leave, leave);
        work().SetItemText(row, WorkColumn::StandBy, standBy);
        return row;
    }

    int addPeriod(const std::string& start, const std::string& end) {
        const int row = squad().InsertItem(squad().rowCount(), start);
        squad().SetItemText(row, SquadColumn::End, end);
        return row;
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
