#include "app/CMainFrame.h"

#include "app/CommandActions.h"
#include "app/CommandRunner.h"
#include "app/ListsWidget.h"
#include "controls/CCellListCtrl.h"
#include "view/CTagrolView.h"
#include "view/Menus.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace tallimo {
namespace {

const QString kFrameTitle = QStringLiteral(" - Tallimo - Feature Pack 3");
const QString kReady = QStringLiteral("Ready");

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 256}) {
        icon.addFile(QStringLiteral(":/tallimo/icons/tallimo-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace

CMainFrame::CMainFrame(CTagrolView& view, CommandRunner& runner)
    : m_view(view), m_runner(runner), m_actions(new CommandActions(runner, this)),
      m_lists(new ListsWidget(view, runner, this)) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(applicationIcon());
    setCentralWidget(m_lists);
    buildMenuBar();
    buildToolbars();
    buildStatusBar();
    fitToMonth();
    qApp->installEventFilter(this);
    idleUpdate();
}

CMainFrame::~CMainFrame() = default;

// A first start shows every column and day of a month where the screen has room; a remembered
// geometry replaces this later.
void CMainFrame::fitToMonth() {
    const CCellListCtrl& work = m_lists->list(true);
    constexpr int kDays = 31;
    const int listWidth = work.horizontalHeader()->length() + 2 * work.frameWidth() +
                          work.verticalScrollBar()->sizeHint().width();
    const int listHeight = work.horizontalHeader()->sizeHint().height() + 2 * work.frameWidth() +
                           kDays * work.verticalHeader()->defaultSectionSize();
    const int chrome = menuBar()->sizeHint().height() + m_toolbar->sizeHint().height() +
                       statusBar()->sizeHint().height();
    QSize wanted(listWidth, listHeight + chrome);
    if (const QScreen* shown = screen()) {
        wanted = wanted.boundedTo(shown->availableGeometry().size() * 9 / 10);
    }
    resize(wanted);
}

void CMainFrame::buildToolbars() {
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar"));
    m_toolbar->setIconSize(QSize(16, 15));
    for (const int id : toolbarButtons()) {
        if (id == 0) {
            m_toolbar->addSeparator();
        } else if (QAction* action = m_actions->action(id)) {
            m_toolbar->addAction(action);
        }
    }
    // The second band holds the today line.
    m_dialogBar = addToolBar(QStringLiteral("Dialog bar"));
    m_dialogBar->setObjectName(QStringLiteral("DialogBar"));
    m_todayLabel = new QLabel(m_dialogBar);
    m_todayLabel->setObjectName(QStringLiteral("TodayLine"));
    m_dialogBar->addWidget(m_todayLabel);
}

void CMainFrame::buildStatusBar() {
    QStatusBar* bar = statusBar();
    // The message pane reads "Ready" whenever no command prompt is shown.
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& message) {
        if (message.isEmpty()) {
            bar->showMessage(kReady);
        }
    });
    bar->showMessage(kReady);
    m_lockPanes = std::make_unique<LockKeyPanes>(*bar);
}

void CMainFrame::idleUpdate() {
    m_idlePending = false;
    for (QAction* action : m_toolbar->actions()) {
        m_actions->update(action);
    }
    m_lists->followView();
    updateCaption();
    m_lockPanes->refresh();
    emit idle();
}

void CMainFrame::scheduleIdleUpdate() {
    if (!m_idlePending) {
        m_idlePending = true;
        QTimer::singleShot(0, this, &CMainFrame::idleUpdate);
    }
}

void CMainFrame::updateCaption() {
    const CTagrolDoc& doc = m_view.document();
    // The title is a path or a month's name; a literal "[*]" in it is doubled to stay text.
    QString title = QFile::decodeName(QByteArray::fromStdString(doc.title()));
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(title + QStringLiteral("[*]") + kFrameTitle);
    setWindowModified(doc.isModified());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    bool canClose = false;
    m_runner.guarded([this, &canClose] { canClose = m_view.document().CanCloseFrame(); });
    if (!canClose) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::WindowActivate:
        scheduleIdleUpdate();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tallimo
