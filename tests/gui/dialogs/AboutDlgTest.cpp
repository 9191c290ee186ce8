#include "DialogKeys.h"
#include "app/CAboutDlg.h"

#include <QLabel>

namespace tallimo::test {
namespace {

// The icon comes from the resources compiled into the dialogs' library.
TEST(AboutDlg, ShowsTheIconAndClosesOnEnter) {
    CAboutDlg dialog;
    showActive(dialog);
    EXPECT_FALSE(part<QLabel>(dialog, "icon")->pixmap().isNull());
    press(Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
} // namespace tallimo::test
