#include "logging/day_file.h"
#include "support/test_folder.h"
#include "text/failure.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(AppendLogLine, AppendsWholeLinesWithCrLf)
{
    test::TestFolder folder;
    folder.write(QStringLiteral("day.txt"), "old\r\n");
    appendLogLine(folder.path(QStringLiteral("day.txt")), QStringLiteral("<T>14:05</T>"));
    appendLogLine(folder.path(QStringLiteral("day.txt")), QStringLiteral("<T>14:06</T>"));
    EXPECT_EQ(folder.read(QStringLiteral("day.txt")), "old\r\n<T>14:05</T>\r\n<T>14:06</T>\r\n");
}

TEST(AppendLogLine, FailsWithTheReasonWhenTheFolderIsMissing)
{
    test::TestFolder folder;
    try {
        appendLogLine(folder.path(QStringLiteral("logs/P_2010_03_07.txt")), QStringLiteral("x"));
        FAIL() << "a missing folder must fail";
    } catch (const Failure& failure) {
        EXPECT_TRUE(failure.description().endsWith(QStringLiteral("logs/P_2010_03_07.txt")));
    }
    EXPECT_FALSE(folder.exists(QStringLiteral("logs")));
}

}  // namespace
}  // namespace corvane
