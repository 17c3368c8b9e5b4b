#include "board/board_options.h"

#include <gtest/gtest.h>

namespace corvane::board {
namespace {

std::vector<std::string> withFolder(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), {"--folder", "demo"});
    return arguments;
}

TEST(BoardOptions, DefaultsNeedOnlyTheFolder)
{
    const ParsedOptions parsed = parseOptions(withFolder({}));
    ASSERT_TRUE(parsed.options) << parsed.error;
    const Options& o = *parsed.options;
    EXPECT_EQ(o.folder, "demo");
    EXPECT_EQ(o.port, 1);
    EXPECT_EQ(o.bank, 24);
    EXPECT_EQ(o.rate, 2.0);
    EXPECT_EQ(o.count, 0);
    EXPECT_EQ(o.faultRate, 0.0);
    EXPECT_EQ(o.faults.size(), kAllFaults.size());
    EXPECT_EQ(o.hangupAfter, 0);
    EXPECT_TRUE(o.split);
    EXPECT_FALSE(o.seed);
}

TEST(BoardOptions, ValuesAreTakenInBothSpellings)
{
    const ParsedOptions parsed = parseOptions(withFolder(
        {"--port", "5", "--bank=48", "--rate", "0.5", "--seed=42", "--count", "10", "--faults",
         "checksum,long", "--fault-rate=0.25", "--hangup-after", "20", "--reopen-after", "1.5",
         "--whole-frames", "--verbose", "--baud", "2400"}));
    ASSERT_TRUE(parsed.options) << parsed.error;
    const Options& o = *parsed.options;
    EXPECT_EQ(o.port, 5);
    EXPECT_EQ(o.bank, 48);
    EXPECT_EQ(o.rate, 0.5);
    EXPECT_EQ(o.seed, 42u);
    EXPECT_EQ(o.count, 10);
    EXPECT_EQ(o.faults, (std::vector<Fault>{Fault::WrongChecksum, Fault::OverLong}));
    EXPECT_EQ(o.faultRate, 0.25);
    EXPECT_EQ(o.hangupAfter, 20);
    EXPECT_EQ(o.reopenAfter, 1.5);
    EXPECT_FALSE(o.split);
    EXPECT_TRUE(o.verbose);
    EXPECT_EQ(o.baud, 2400);
}

struct BadArguments {
    std::vector<std::string> arguments;
    std::string complaint;
};

class Unusable : public testing::TestWithParam<BadArguments> {};

TEST_P(Unusable, IsRefusedWithAReason)
{
    const ParsedOptions parsed = parseOptions(GetParam().arguments);
    EXPECT_FALSE(parsed.options);
    EXPECT_FALSE(parsed.help);
    EXPECT_NE(parsed.error.find(GetParam().complaint), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    BoardOptions, Unusable,
    testing::Values(BadArguments{{}, "--folder is required"},
                    BadArguments{withFolder({"--speed", "3"}), "unknown option '--speed'"},
                    BadArguments{withFolder({"extra"}), "unexpected argument 'extra'"},
                    BadArguments{withFolder({"--port"}), "--port needs a value"},
                    BadArguments{withFolder({"--port", "0"}), "--port expects"},
                    BadArguments{withFolder({"--port", "5x"}), "--port expects"},
                    BadArguments{withFolder({"--bank", "36"}), "--bank expects 12, 24 or 48"},
                    BadArguments{withFolder({"--rate", "0"}), "--rate expects"},
                    BadArguments{withFolder({"--rate", "1,5"}), "--rate expects"},
                    BadArguments{withFolder({"--rate", "20", "--baud", "2400"}), "--rate is too high"},
                    BadArguments{withFolder({"--seed", "-1"}), "--seed expects"},
                    BadArguments{withFolder({"--faults", "checksum,bogus"}), "no fault 'bogus'"},
                    BadArguments{withFolder({"--fault-rate", "1.5"}), "--fault-rate expects"},
                    BadArguments{withFolder({"--verbose=yes"}), "--verbose takes no value"},
                    BadArguments{withFolder({"--script", "s.txt", "--fault-rate", "0.1"}), "--script"}));

TEST(BoardOptions, HelpNamesEveryOptionAndFault)
{
    EXPECT_TRUE(parseOptions({"--help"}).help);
    EXPECT_TRUE(parseOptions({"-h"}).help);
    const std::string help = helpText();
    for (const std::string& name : optionNames())
        EXPECT_NE(help.find(name), std::string::npos) << name;
    for (const Fault fault : kAllFaults)
        EXPECT_NE(help.find(std::string(faultName(fault))), std::string::npos) << faultName(fault);
}

}  // namespace
}  // namespace corvane::board
