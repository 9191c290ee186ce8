#include <QApplication>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

// Widget tests draw offscreen unless told otherwise, in Europe/Berlin like every other test.
int main(int argc, char** argv) {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
