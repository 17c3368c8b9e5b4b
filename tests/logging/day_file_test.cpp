#include "logging/day_file.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(DayFileDate, OnlyNamesOfDayFilesWithRealDates)
{
    EXPECT_EQ(dayFileDate(QStringLiteral("P_2010_03_07.txt")), QDate(2010, 3, 7));
    for (const char* name : {"P_2010_02_30.txt", "P_2010_3_7.txt", "Whours.txt", "P_2010_03_07.txt.csv",
                             "p_2010_03_07.txt", "P_2010_03_07.TXT"})
        EXPECT_FALSE(dayFileDate(QString::fromLatin1(name))) << name;
}

TEST(DayFileName, WrittenAndReadBackByOneRule)
{
    for (const QDate& date : {QDate(2010, 3, 7), QDate(1999, 12, 31), QDate(2024, 2, 29)}) {
        const QString name = dayFileName(date);
        EXPECT_EQ(dayFileDate(name), date) << name.toStdString();
        EXPECT_EQ(dayFilePath(date), QStringLiteral("logs/") + name);
    }
    EXPECT_EQ(dayFileName(QDate(2010, 3, 7)), QStringLiteral("P_2010_03_07.txt"));
}

}  // namespace
}  // namespace corvane
