#include "BenchMonth.h"
#include "controls/CCellListCtrl.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <ctime>

// The lists with a month of 100 000 squad periods, in a window as the desktop shows them: the
// work list shown, the squad list hidden until asked for.
namespace tallimo::bench {
namespace {

constexpr int kSquadRows = 100000;

class ListWindow {
public:
    ListWindow() {
        auto* layout = new QHBoxLayout(&m_window);
        m_work = new CCellListCtrl(m_bench.view().sheet().work, kWorkColumns);
        m_squad = new CCellListCtrl(m_bench.view().sheet().squad, kSquadColumns);
        m_squad->setLastColumnFills(true);
        m_squad->hide();
        layout->addWidget(m_work);
        layout->addWidget(m_squad);
        m_window.resize(1280, 800);
        m_window.show();
        m_bench.view().loadSheet(monthFile(kSquadRows));
        settle();
    }

    // Shows one list and hides the other, as a switch of the view does.
    void showSquad(bool squad) {
        m_work->setVisible(!squad);
        m_squad->setVisible(squad);
    }
    CCellListCtrl& squad() { return *m_squad; }
    BenchView& bench() { return m_bench; }

    void settle() {
        QApplication::processEvents();
        m_window.repaint();
    }

private:
    BenchView m_bench;
    QWidget m_window;
    CCellListCtrl* m_work = nullptr;
    CCellListCtrl* m_squad = nullptr;
};

// Times `change` with the window painted after it; `undo` sets the window back untimed.
template <typename Change, typename Undo>
void timeChange(benchmark::State& state, ListWindow& window, Change change, Undo undo) {
    for (auto _ : state) {
        change();
        window.settle();
        state.PauseTiming();
        undo();
        window.settle();
        state.ResumeTiming();
    }
}

void switchToBigSquadList(benchmark::State& state) {
    ListWindow window;
    timeChange(
        state, window, [&] { window.showSquad(true); }, [&] { window.showSquad(false); });
}
BENCHMARK(switchToBigSquadList)->Unit(benchmark::kMillisecond);

void scrollBigSquadListToItsEnd(benchmark::State& state) {
    ListWindow window;
    window.showSquad(true);
    window.settle();
    timeChange(
        state, window, [&] { window.squad().scrollToBottom(); },
        [&] { window.squad().scrollToTop(); });
}
BENCHMARK(scrollBigSquadListToItsEnd)->Unit(benchmark::kMillisecond);

void selectAllOfBigSquadList(benchmark::State& state) {
    ListWindow window;
    window.showSquad(true);
    window.settle();
    timeChange(
        state, window, [&] { window.squad().selectAll(); },
        [&] { window.squad().clearSelection(); });
}
BENCHMARK(selectAllOfBigSquadList)->Unit(benchmark::kMillisecond);

// Loading the month while the squad list is shown: the list follows with one reset.
void loadIntoShownSquadList(benchmark::State& state) {
    ListWindow window;
    window.showSquad(true);
    window.settle();
    const std::vector<std::uint8_t> bytes = monthFile(kSquadRows);
    for (auto _ : state) {
        window.bench().view().loadSheet(bytes);
        window.settle();
    }
}
BENCHMARK(loadIntoShownSquadList)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tallimo::bench

// Draws offscreen unless a display is asked for, in Europe/Berlin like the other benchmarks.
int main(int argc, char** argv) {
    setenv("TZ", std::getenv("TZ") ? std::getenv("TZ") : "Europe/Berlin", 1);
    tzset();
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
