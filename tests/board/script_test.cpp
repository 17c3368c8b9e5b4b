#include "board/board_script.h"
#include "board/frame_source.h"
#include "receiver_verdict.h"

#include <gtest/gtest.h>

#include <map>

namespace corvane::board {
namespace {

using Kind = ScriptStep::Kind;

TEST(BoardScript, LinesBecomeFramesPausesAndWholeTexts)
{
    const ParsedScript script = parseScript("# two frames, then a joined pair\r\n"
                                            "[<V>756</V><I>612</I>]\r\n"
                                            "\r\n"
                                            "#pause 8.6\n"
                                            " [<V>1</V>] \n"
                                            "#whole [<V>1</V>][<V>2</V>]\n"
                                            "#\n"
                                            "#pause 0");
    ASSERT_EQ(script.error, "");
    const std::vector<ScriptStep> expected = {
        {Kind::Frame, "[<V>756</V><I>612</I>]", 0},
        {Kind::Pause, "", 8.6},
        {Kind::Frame, " [<V>1</V>] ", 0},
        {Kind::WholeFrame, "[<V>1</V>][<V>2</V>]", 0},
        {Kind::Pause, "", 0},
    };
    EXPECT_EQ(script.steps, expected);
}

TEST(BoardScript, BadDirectivesNameTheirLine)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"[a]\n#pause\n", "line 2: #pause expects seconds"},
        {"#pause -1", "line 1: #pause expects seconds"},
        {"#pause 2,5", "line 1: #pause expects seconds"},
        {"[a]\n[b]\n#wait 3", "line 3: unknown directive '#wait'"},
        {"#whole ", "line 1: #whole expects the text"},
    };
    for (const auto& [text, complaint] : cases)
        EXPECT_NE(parseScript(text).error.find(complaint), std::string::npos) << text;
}

TEST(BoardScript, ScriptFramesPlayTheStepsOnceInOrder)
{
    ScriptFrames source({{Kind::Frame, "[a]", 0}, {Kind::Pause, "", 2}, {Kind::WholeFrame, "[b][c]", 0}});
    const std::optional<Transmission> first = source.next();
    const std::optional<Transmission> pause = source.next();
    const std::optional<Transmission> whole = source.next();
    ASSERT_TRUE(first && pause && whole);
    EXPECT_EQ(first->text, "[a]");
    EXPECT_FALSE(first->whole);
    EXPECT_TRUE(pause->isPause());
    EXPECT_EQ(pause->pauseSeconds, 2.0);
    EXPECT_EQ(whole->text, "[b][c]");
    EXPECT_TRUE(whole->whole);
    EXPECT_FALSE(source.next());
}

Options weatherOptions(double faultRate, std::vector<Fault> faults)
{
    Options options;
    options.folder = "demo";
    options.faultRate = faultRate;
    options.faults = std::move(faults);
    return options;
}

TEST(BoardScript, WeatherFramesAreDamagedAtTheChosenRateOnly)
{
    Random random(21);
    WeatherFrames clean(weatherOptions(0, {kAllFaults.begin(), kAllFaults.end()}), random);
    for (int n = 0; n < 1000; ++n) {
        const Transmission t = *clean.next();
        ASSERT_FALSE(t.fault);
        ASSERT_EQ(test::receiverVerdict(t.text), "accepted") << t.text;
    }

    WeatherFrames always(weatherOptions(1, {Fault::WrongChecksum}), random);
    for (int n = 0; n < 200; ++n) {
        const Transmission t = *always.next();
        ASSERT_EQ(t.fault, Fault::WrongChecksum);
        ASSERT_EQ(test::receiverVerdict(t.text), "checksum error") << t.text;
    }

    WeatherFrames sometimes(weatherOptions(0.1, {kAllFaults.begin(), kAllFaults.end()}), random);
    std::map<Fault, int> struck;
    int damaged = 0;
    for (int n = 0; n < 8000; ++n) {
        const Transmission t = *sometimes.next();
        if (t.fault) {
            ++damaged;
            ++struck[*t.fault];
        } else {
            ASSERT_EQ(test::receiverVerdict(t.text), "accepted") << t.text;
        }
    }
    EXPECT_NEAR(damaged / 8000.0, 0.1, 0.02);
    EXPECT_EQ(struck.size(), kAllFaults.size()) << "every fault kind should occur";
}

}  // namespace
}  // namespace corvane::board
