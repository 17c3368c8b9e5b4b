#include "main_window_fixture.h"

namespace corvane::test {
namespace {

using StartUp = MainWindowTest;

TEST_F(StartUp, WithPortZeroOpensNoPortAndKeepsTheWaitingTexts)
{
    start();
    EXPECT_FALSE(port().isOpen());
    EXPECT_TRUE(port().calls().isEmpty());
    EXPECT_EQ(window->windowTitle(), u"Corvane - Waiting for Signal");
    EXPECT_EQ(window->Label2->text(), u" Waiting for COMM data");
    EXPECT_EQ(window->ErrorString->text(), u" Error trap message  -     ");
    EXPECT_FALSE(window->loggingOn());
    EXPECT_TRUE(errorLog().isEmpty());
}

}  // namespace
}  // namespace corvane::test
