#include "board/board_frames.h"
#include "board/board_weather.h"
#include "receiver_verdict.h"

#include <gtest/gtest.h>

namespace corvane::board {
namespace {

using test::receiverVerdict;

TEST(BoardFrames, FrameCarriesEveryFieldAndTheSumOfVIRS)
{
    EXPECT_EQ(frameText({745, 512, 12, 0, 40}),
              "[<V>745</V><I>512</I><R>12</R><M>0</M><S>40</S><C>1309</C>]");
    // M is not part of the checksum.
    EXPECT_EQ(frameText({745, 512, 12, 7, 40}),
              "[<V>745</V><I>512</I><R>12</R><M>7</M><S>40</S><C>1309</C>]");
    EXPECT_EQ(receiverVerdict(frameText({745, 512, 12, 7, 40})), "accepted");
}

struct FaultCase {
    Fault fault;
    std::string rejection;
};

class EachFault : public testing::TestWithParam<FaultCase> {};

// Every fault, on readings of every bank, is refused by the receiver for its own reason.
TEST_P(EachFault, IsRejectedForItsOwnReason)
{
    for (const int bank : {12, 24, 48}) {
        Random random(static_cast<std::uint64_t>(bank));
        BoardWeather weather(bank, random);
        for (int n = 0; n < 300; ++n) {
            const RawReading reading = weather.next(0.5);
            const FaultyText damaged = faultyText(GetParam().fault, reading, random);
            ASSERT_EQ(receiverVerdict(damaged.text), GetParam().rejection)
                << faultName(GetParam().fault) << ": " << damaged.text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    BoardFrames, EachFault,
    testing::Values(FaultCase{Fault::WrongChecksum, "checksum error"},
                    FaultCase{Fault::ZeroVolts, "corrupt Volts COMM data"},
                    FaultCase{Fault::MissingAmpsClose, "corrupt Amps COMM data"},
                    FaultCase{Fault::LowerCaseTags, "corrupt Volts COMM data"},
                    FaultCase{Fault::JoinedFrames, " ][ or long string"},
                    FaultCase{Fault::OverLong, " ][ or long string"},
                    FaultCase{Fault::ReversedRevs, " corrupt revs, or windspeed data in string"}),
    [](const testing::TestParamInfo<FaultCase>& info) {
        std::string name(faultName(info.param.fault));
        std::erase(name, '-');
        return name;
    });

TEST(BoardFrames, FaultsKeepTheRestOfTheFrameIntact)
{
    Random random(7);
    const RawReading reading{756, 612, 35, 0, 40};
    EXPECT_EQ(faultyText(Fault::ZeroVolts, reading, random).text,
              "[<V>0</V><I>612</I><R>35</R><M>0</M><S>40</S><C>687</C>]");
    EXPECT_EQ(faultyText(Fault::MissingAmpsClose, reading, random).text,
              "[<V>756</V><I>612<R>35</R><M>0</M><S>40</S><C>1443</C>]");
    EXPECT_EQ(faultyText(Fault::ReversedRevs, reading, random).text,
              "[<V>756</V><I>612</I></R>35<R><M>0</M><S>40</S><C>1443</C>]");
    EXPECT_EQ(faultyText(Fault::LowerCaseTags, reading, random).text,
              "[<v>756</v><i>612</i><r>35</r><m>0</m><s>40</s><c>1443</c>]");

    const FaultyText joined = faultyText(Fault::JoinedFrames, reading, random);
    EXPECT_EQ(joined.text, frameText(reading) + frameText(reading));
    EXPECT_EQ(joined.text.substr(joined.keepTogetherAt - 1, 2), "][");

    const std::string wrong = faultyText(Fault::WrongChecksum, reading, random).text;
    EXPECT_EQ(wrong.size(), frameText(reading).size());
}

TEST(BoardFrames, GarbageIsNeverTakenForAFrame)
{
    Random random(11);
    for (int n = 0; n < 2000; ++n) {
        const std::string noise = faultyText(Fault::Garbage, {}, random).text;
        ASSERT_NE(receiverVerdict(noise), "accepted") << noise;
        ASSERT_GE(noise.size(), 6u);
    }
}

TEST(BoardFrames, FaultNamesReadBack)
{
    for (const Fault fault : kAllFaults)
        EXPECT_EQ(faultFromName(faultName(fault)), fault);
    EXPECT_EQ(faultFromName("Checksum"), std::nullopt);
    EXPECT_EQ(faultFromName(""), std::nullopt);
}

}  // namespace
}  // namespace corvane::board
