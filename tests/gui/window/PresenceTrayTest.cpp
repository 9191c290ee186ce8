#include "DesktopFixture.h"
#include "app/CTrayNotifyIcon.h"
#include "app/PresenceWatch.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// Checking "Record automatically" switches to auto; unchecking goes back to the mode before it,
// or to suggest when the program started in auto.
TEST(PresenceTray, RecordAutomaticallySwitchesToAutoAndBackToTheModeBefore) {
    const struct {
        const char* start;
        const char* afterFirst;
        const char* afterSecond;
    } cases[] = {
        {"off", "auto", "off"}, {"suggest", "auto", "suggest"}, {"auto", "suggest", "auto"}};
    for (const auto& c : cases) {
        DesktopFixture f;
        f.settings.setString(kSettingsSection, kPresenceKey, c.start);
        ASSERT_TRUE(f.launchOnMonth());
        QAction* entry = f.app->presence()->recordAutomatically();
        ASSERT_TRUE(f.app->tray()->popup()->actions().contains(entry));
        EXPECT_EQ(entry->isChecked(), std::string(c.start) == "auto") << c.start;
        for (const char* expected : {c.afterFirst, c.afterSecond}) {
            entry->trigger();
            EXPECT_EQ(f.settings.getString(kSettingsSection, kPresenceKey), expected) << c.start;
            EXPECT_EQ(entry->isChecked(), std::string(expected) == "auto") << c.start;
        }
    }
}

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
