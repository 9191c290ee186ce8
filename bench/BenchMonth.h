#pragma once

#include "platform/fake/FakePlatform.h"
#include "view/CTagrolView.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tallimo::bench {

// A view on quiet fakes: no trace line is kept, no library is loaded.
class BenchView {
public:
    BenchView();
    CTagrolView& view() { return m_view; }

private:
    class NullTrace final : public TraceSink {
    public:
        void write(std::string_view) override {}
    };
    class NoLibraries final : public LibraryLoader {
    public:
        std::unique_ptr<Library> load(const std::string&, std::string& error) override;
    };

    fake::FakeUi m_ui;
    fake::FakeSettingsStore m_settings;
    fake::FakeClock m_clock;
    fake::FakeTimers m_timers;
    NullTrace m_trace;
    NoLibraries m_libraries;
    Platform m_platform{m_ui, m_settings, m_clock, m_timers, m_trace, m_libraries};
    CTagrolView m_view{m_platform};
};

// March 2006 (or the month given), every day with long hours (every Time and Labor band) and
// every fourth day on stand-by, plus the given number of closed squad periods.
TimeSheet makeMonth(int squadRows, int year = 2006, int month = 3);

// The file bytes of such a month.
std::vector<std::uint8_t> monthFile(int squadRows);

} // namespace tallimo::bench
