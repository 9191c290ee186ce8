#pragma once

#include "document/OvertimeBalance.h"

#include <QObject>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QStatusBar;

namespace tallimo {

class CTagrolView;
class SettingsStore;

// The status bar's "Balance: +12:34:56": the overtime balance of the months in the open
// document's folder up to and including the open month. The open month is counted from the
// window's tables after every change; the other months are read from their files, each again
// only when its file changed.
class BalanceField final : public QObject {
    Q_OBJECT

public:
    BalanceField(CTagrolView& view, const SettingsStore& settings, QStatusBar& bar,
                 QObject* parent = nullptr);

    // Counts the open month again; the folder is looked at again when it changed, or always
    // with `rereadFolder`.
    void refresh(bool rereadFolder = false);

    const Balance& balance() const { return m_balance; }
    const std::vector<DayOvertime>& days() const { return m_days; }
    const QLabel& label() const { return *m_label; }

signals:
    // The balance or the open month's days changed.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readFolder(const std::string& folder);
    // "Vacation left: 12.5" under a work model, of the months counted up to the open one.
    void showVacation(const Balance& balance, const ModelToday* model);

    CTagrolView& m_view;
    const SettingsStore& m_settings;
    QLabel* m_label;
    QLabel* m_vacation;
    MonthFileCache m_cache;
    std::vector<MonthFile> m_folderFiles;
    std::string m_folder;
    std::optional<FileStamp> m_folderStamp;
    // The open month's tables at their last count: a month of many stand-by periods is not
    // counted again while nothing changed.
    std::pair<std::uint64_t, std::uint64_t> m_revisions{~0ULL, ~0ULL};
    MonthTotals m_openTotals;
    std::vector<DayOvertime> m_openDays;
    Balance m_balance;
    std::vector<DayOvertime> m_days;
};

} // namespace tallimo
