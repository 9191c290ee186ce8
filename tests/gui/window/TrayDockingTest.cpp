#include "DesktopFixture.h"
#include "app/CTrayNotifyIcon.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// Started hidden at login before the panel: the window shows, and once a notification area is
// there the icon docks and the window goes into it.
TEST(TrayDocking, AHiddenStartWithoutTrayDocksAndHidesOnceOneAppears) {
    DesktopFixture f(false);
    bool available = false;
    f.start.trayAvailable = [&available] { return available; };
    f.start.hidden = true;
    ASSERT_TRUE(f.launchOnMonth());
    EXPECT_TRUE(f.frame().isVisible());
    // A service came that is no notification area after all.
    f.app->trayMayHaveAppeared();
    EXPECT_FALSE(f.app->tray()->isCreated());
    available = true;
    f.app->trayMayHaveAppeared();
    EXPECT_TRUE(f.app->tray()->isCreated());
    EXPECT_TRUE(eventually([&f] { return !f.frame().isVisible(); }));
    EXPECT_TRUE(f.view().isMainWindowHidden());
}

} // namespace
} // namespace tallimo::test
