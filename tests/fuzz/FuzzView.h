#pragma once

#include "platform/fake/FakePlatform.h"
#include "view/CTagrolView.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace tallimo::fuzz {

// A view on the fakes whose questions are answered Cancel: what a fuzz target feeds it runs
// through the same commands as a user's file.
struct FuzzView {
    fake::FakeUi ui;
    fake::FakeSettingsStore settings;
    fake::FakeClock clock;
    fake::FakeTimers timers;
    fake::RecordingTraceSink trace;
    struct NoLibraries final : LibraryLoader {
        std::unique_ptr<Library> load(const std::string&, std::string&) override { return {}; }
    } libraries;
    Platform platform{ui, settings, clock, timers, trace, libraries};
    CTagrolView view{platform};
};

// What was stored must read back as itself: a second store of the reloaded month gives the
// same bytes. Anything else is a finding.
inline void expectStableStore(const std::vector<std::uint8_t>& stored) {
    FuzzView again;
    if (!again.view.loadSheet(stored) || again.view.storeSheet() != stored) {
        std::abort();
    }
}

} // namespace tallimo::fuzz
