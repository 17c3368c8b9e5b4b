// The logger and a viewer beside it append to the same day file: each append is one
// write to a file opened for appending, so lines never tear or overwrite each other.
#include "platform/files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

namespace corvane {
namespace {

TEST(AppendToFile, AppendsFromTwoWritersAtOnceStayWholeLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("P_2026_03_07.txt"));
    const QString record = QStringLiteral("<T>14:05</T><V>25.20</V><I>10.00</I><W>252.00</W><R>150</R><S>20.0</S><M>0</M>   1.2Wh\r\n");
    constexpr int kEach = 400;
    std::thread logger([&] {
        for (int i = 0; i < kEach; ++i)
            appendToFile(path, record);
    });
    std::thread viewer([&] {
        for (int i = 0; i < kEach; ++i)
            appendToFile(path, QStringLiteral("\r\n"));
    });
    logger.join();
    viewer.join();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 2 * kEach + 1);
    EXPECT_EQ(lines.count(record.chopped(2)), kEach);
    EXPECT_EQ(lines.count(QString()), kEach + 1);  // the empty lines and the text after the last line end
}

}  // namespace
}  // namespace corvane
