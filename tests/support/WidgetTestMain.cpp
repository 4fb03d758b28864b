#include <QApplication>
#include <QStandardPaths>
#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Widget tests run without a display unless the binary is started on one on purpose
    // (the preview tests run under Xvfb and pass -platform xcb).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
