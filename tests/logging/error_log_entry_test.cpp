#include "logging/error_log_entry.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Whatever the frame text holds, an entry stays one line: the board's line ends
// (usually the CR LF of the frame before, in front of the "[") become blanks.
TEST(ErrorLogEntry, LineEndsInTheFrameBecomeBlanks)
{
    const struct {
        const char* frame;
        const char* tail;
    } cases[] = {
        {"[<V>745</V><I>512</I><C>9</C>]", "[<V>745</V><I>512</I><C>9</C>]"},
        {"\r\n[<V>745</V><I>512</I><C>9</C>]", "  [<V>745</V><I>512</I><C>9</C>]"},
        {"\r[<V>745</V>\n<I>512</I>]", " [<V>745</V> <I>512</I>]"},
        {"\n\n\r\r", "    "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frame);
        EXPECT_EQ(errorLogLine(QDate(2010, 3, 7), QTime(14, 5), QStringLiteral("checksum error"), QString(),
                               QString::fromLatin1(c.frame)),
                  QStringLiteral("2010_03_07  14:05  checksum error   <RB>  <IM> ") + QString::fromLatin1(c.tail));
    }
}

}  // namespace
}  // namespace corvane
