#include "DialogKeys.h"
#include "app/CAboutDlg.h"

#include <QLabel>

namespace tallimo::test {
namespace {

// The icon comes from the resources compiled into the dialogs' library.
TEST(AboutDlg, ShowsIconAndVersionAndClosesOnEnter) {
    CAboutDlg dialog;
    showActive(dialog);
    EXPECT_EQ(dialog.windowTitle(), "About Tallimo");
    EXPECT_EQ(part<QLabel>(dialog, "version")->text(), "Tallimo Version 1.3.0.45\nFeature Pack 3");
    EXPECT_FALSE(part<QLabel>(dialog, "icon")->pixmap().isNull());
    press(Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
} // namespace tallimo::test
