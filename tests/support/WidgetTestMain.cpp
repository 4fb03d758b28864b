#include <QApplication>
#include <QStandardPaths>
#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Widget tests run on the offscreen platform unless QT_QPA_PLATFORM names another. The
    // display tests (built with CLIPWRIGHT_TEST_ON_DISPLAY) take X11 wherever there is a display,
    // as under xvfb-run, and skip their tests without one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
#ifdef CLIPWRIGHT_TEST_ON_DISPLAY
        const bool bDisplay = !qEnvironmentVariableIsEmpty("DISPLAY");
#else
        const bool bDisplay = false;
#endif
        qputenv("QT_QPA_PLATFORM", bDisplay ? "xcb" : "offscreen");
    }
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
