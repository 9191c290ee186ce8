#include "DesktopFixture.h"
#include "app/CommandActions.h"
#include "view/WorkModelDialog.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <fstream>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(WorkModelMenu, AFridayTargetTypedInTheDialogChangesTheFileAndTheFridaysOvertime) {
    DesktopFixture f;
    const std::string model = f.dir.file("tallimo-model.txt");
    std::ofstream(model) << "[period 2006-01-01]\nhours = Mon-Fri 8:00\n";
    ASSERT_TRUE(f.launchOnMonth());
    f.frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.frame()));
    const int friday = 2; // 3 March 2006, nothing recorded
    EXPECT_EQ(f.cell(friday, WorkColumn::Overtime), "-08:00:00");

    bool typed = false;
    QTimer::singleShot(0, [&typed] {
        eventually([] { return QApplication::activeModalWidget() != nullptr; });
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_EQ(dialog->windowTitle(), WorkModelText::Title);
        auto* target = dialog->findChild<QLineEdit*>(QStringLiteral("Fri"));
        ASSERT_NE(target, nullptr);
        target->setFocus(Qt::TabFocusReason);
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(target, QStringLiteral("5:00"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        typed = true;
    });
    QTest::keyClick(&f.frame(), Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(eventually([] { return QApplication::activePopupWidget() != nullptr; }));
    auto* special = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QAction* entry = f.frame().actions().action(CommandId::EditWorkModel);
    ASSERT_EQ(entry->text(), "Work model...");
    QTest::mouseClick(special, Qt::LeftButton, {}, special->actionGeometry(entry).center());
    ASSERT_TRUE(eventually([&typed] { return typed; }));

    std::ifstream in(model);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(text.find("\nhours = Mon-Thu 8:00, Fri 5:00\n"), std::string::npos) << text;
    EXPECT_EQ(f.cell(friday, WorkColumn::Overtime), "-05:00:00");
}

} // namespace
} // namespace tallimo::test
