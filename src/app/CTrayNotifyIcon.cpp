#include "app/CTrayNotifyIcon.h"

#include "app/CommandActions.h"
#include "app/CommandRunner.h"
#include "platform/TraceLog.h"
#include "view/CommandTable.h"
#include "view/Menus.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

namespace tallimo {

CTrayNotifyIcon::CTrayNotifyIcon(bool trayAvailable, CommandActions& actions, CommandRunner& runner,
                                 TraceLog& trace, QObject* parent)
    : QObject(parent), m_runner(runner), m_popup(std::make_unique<QMenu>()) {
    for (const MenuItem& item : trayMenu()) {
        if (item.id == 0) {
            m_popup->addSeparator();
        } else if (QAction* action = actions.action(item.id)) {
            m_popup->addAction(action);
        }
    }
    // The first entry is the default one, which a double click runs; it is shown in bold.
    if (QAction* first = actions.action(trayMenu().front().id)) {
        QFont bold = first->font();
        bold.setBold(true);
        first->setFont(bold);
    }
    actions.updateOnShow(m_popup.get());
    if (!trayAvailable) {
        trace.write(TraceModule::App,
                    "No notification area: Tallimo runs without its tray icon, and Switch keeps "
                    "the window shown");
        return;
    }
    dock();
}

void CTrayNotifyIcon::dock() {
    if (m_icon != nullptr) {
        return;
    }
    m_icon = new QSystemTrayIcon(QIcon(QStringLiteral(":/tallimo/icons/tallimo-16.png")), this);
    m_icon->setToolTip(QStringLiteral("Tallimo - Feature Pack 3"));
    m_icon->setContextMenu(m_popup.get());
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    m_runner.run(CommandId::Switch);
                }
            });
    m_icon->show();
}

CTrayNotifyIcon::~CTrayNotifyIcon() {
    // Gone from the notification area before the window it belongs to.
    if (m_icon != nullptr) {
        m_icon->hide();
    }
}

} // namespace tallimo
