#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

// Every test runs in Europe/Berlin unless it switches zones itself (see TzGuard).
int main(int argc, char** argv) {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
