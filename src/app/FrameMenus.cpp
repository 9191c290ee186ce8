#include "app/CMainFrame.h"
#include "app/CommandActions.h"
#include "app/CommandRunner.h"
#include "view/CTagrolView.h"
#include "view/CommandTable.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace tallimo {
namespace {

// Places in the menu layout that are no command of the table.
constexpr int kSeparator = 0;
constexpr int kRecentFiles = -1;
constexpr int kOvertimeMenu = -2;
constexpr int kToolbarToggle = 59392;
constexpr int kStatusBarToggle = 59393;
constexpr int kTodayBarToggle = -3;

using namespace CommandId;

struct MenuLayout {
    const char* title;
    std::vector<int> entries;
};

// clang-format off
const std::vector<MenuLayout> kMenuBar = {
    {"&File", {FileNew, FileOpen, FileSave, FileSaveAs, kSeparator,
               FilePrint, FilePrintPreview, ExportPdf, kSeparator,
               FileImport, kSeparator, kRecentFiles, kSeparator, AppExit}},
    {"&Edit", {EditUndo, EditRedo, kSeparator, EditCut, EditCopy, EditPaste}},
    {"&View", {kToolbarToggle, kStatusBarToggle, kTodayBarToggle, kSeparator, Refresh}},
    {"&Tools...", {Add, Modify, kSeparator, EnterNow, LeaveNow, kSeparator, StartSquadNow,
                   FinishSquadNow, kSeparator, Export, Options}},
    {"&Special", {Sickness, Vacation, Holiday, kSeparator, kOvertimeMenu, OvertimeBalance,
                  EditWorkModel, kSeparator, ShowSquadTime, ShowWorkTime}},
    {"&Help", {WhatsNew, kSeparator, AppAbout}},
};
const std::vector<int> kOvertimeEntries = {OvertimeSelected, OvertimeMonth};
// clang-format on

// "&1 /home/me/March.time", with the path's own ampersands kept as text.
QString recentEntryText(int index, const std::string& path) {
    QString shown = QFile::decodeName(QByteArray::fromStdString(path));
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

} // namespace

void CMainFrame::buildMenuBar() {
    for (const MenuLayout& layout : kMenuBar) {
        addMenu(nullptr, layout.title, layout.entries);
    }
}

QMenu* CMainFrame::addMenu(QMenu* parent, const char* title, const std::vector<int>& entries) {
    QMenu* menu = parent != nullptr ? parent->addMenu(QString::fromLatin1(title))
                                    : menuBar()->addMenu(QString::fromLatin1(title));
    m_actions->updateOnShow(menu);
    for (const int entry : entries) {
        if (entry == kSeparator) {
            menu->addSeparator();
        } else if (entry == kOvertimeMenu) {
            addMenu(menu, "Calculate overtime...", kOvertimeEntries);
        } else if (entry == kRecentFiles) {
            // Filled each time the menu opens, in front of an anchor nobody sees.
            QAction* before = menu->addAction(QString());
            before->setVisible(false);
            connect(menu, &QMenu::aboutToShow, this,
                    [this, menu, before] { fillRecentFiles(menu, before); });
        } else if (entry == kToolbarToggle || entry == kStatusBarToggle ||
                   entry == kTodayBarToggle) {
            QAction* toggle =
                menu->addAction(entry == kToolbarToggle
                                    ? QStringLiteral("&Toolbar")
                                    : (entry == kStatusBarToggle ? QStringLiteral("&Status Bar")
                                                                 : QStringLiteral("Today &Bar")));
            toggle->setCheckable(true);
            const auto bar = [this, entry]() -> QWidget* {
                if (entry == kTodayBarToggle) {
                    return m_dialogBar;
                }
                return entry == kToolbarToggle ? static_cast<QWidget*>(m_toolbar) : statusBar();
            };
            connect(menu, &QMenu::aboutToShow, toggle,
                    [toggle, bar] { toggle->setChecked(bar()->isVisible()); });
            connect(toggle, &QAction::triggered, this, [bar](bool on) { bar()->setVisible(on); });
        } else if (QAction* action = m_actions->action(entry)) {
            menu->addAction(action);
        }
    }
    return menu;
}

void CMainFrame::fillRecentFiles(QMenu* file, QAction* before) {
    for (QAction* old : m_recentActions) {
        file->removeAction(old);
        old->deleteLater();
    }
    m_recentActions.clear();
    const auto entries = m_view.document().recentFiles().entries();
    if (entries.empty()) {
        QAction* none = new QAction(QStringLiteral("Recent File"), file);
        none->setEnabled(false);
        file->insertAction(before, none);
        m_recentActions.push_back(none);
        return;
    }
    for (int index = 0; index < static_cast<int>(entries.size()); ++index) {
        auto* entry =
            new QAction(recentEntryText(index, entries[static_cast<std::size_t>(index)]), file);
        connect(entry, &QAction::triggered, this, [this, index] {
            m_runner.guarded([this, index] { m_view.document().openRecent(index); });
        });
        file->insertAction(before, entry);
        m_recentActions.push_back(entry);
    }
}

} // namespace tallimo
