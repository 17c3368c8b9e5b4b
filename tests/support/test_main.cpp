#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Headless, and under a locale whose decimal mark is a comma, so that any number read
    // or written through the C library's locale shows up as a failure.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "de_DE.UTF-8");
    // QApplication takes the C library's locale from the environment, as the program does.
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
