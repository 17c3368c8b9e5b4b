#include "board/board_weather.h"
#include "receiver_verdict.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <cmath>
#include <vector>

namespace corvane::board {
namespace {

double correlation(const std::vector<double>& a, const std::vector<double>& b)
{
    const double n = static_cast<double>(a.size());
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        sa += a[k];
        sb += b[k];
        saa += a[k] * a[k];
        sbb += b[k] * b[k];
        sab += a[k] * b[k];
    }
    return (n * sab - sa * sb) / std::sqrt((n * saa - sa * sa) * (n * sbb - sb * sb));
}

class EachBank : public testing::TestWithParam<int> {};

// Scaled through the first-install calibration, every frame reads as the bank would.
TEST_P(EachBank, FramesAreValidAndReadPlausibly)
{
    const int bank = GetParam();
    Random random(42);
    BoardWeather weather(bank, random);
    double mostAmps = 0;
    for (int n = 0; n < 20000; ++n) {
        const RawReading reading = weather.next(0.5);
        const std::string frame = frameText(reading);
        ASSERT_LE(frame.size(), kMaxFrameLength) << frame;
        ASSERT_EQ(test::receiverVerdict(frame), "accepted") << frame;

        using namespace calibration;
        const double volts = reading.v / kVoltDivider;
        const double amps = (reading.i - kVoltOffset) / kAmpDivider;
        ASSERT_GE(volts, bank * 1.0) << frame;
        ASSERT_LE(volts, bank * 1.15) << frame;
        ASSERT_GE(amps, -0.5) << frame;
        ASSERT_LE(amps, 20.5) << frame;
        ASSERT_LE(reading.r / kRpmDivider * 60, 500.0) << frame;
        ASSERT_EQ(reading.m, 0);
        mostAmps = std::max(mostAmps, amps);
    }
    EXPECT_GT(mostAmps, 5.0) << "gusts should bring real charging current";
}

INSTANTIATE_TEST_SUITE_P(BoardWeather, EachBank, testing::Values(12, 24, 48));

TEST(BoardWeather, WindmillAndCurrentFollowTheWind)
{
    Random random(9);
    BoardWeather weather(24, random);
    std::vector<double> wind, revs, current;
    for (int n = 0; n < 10000; ++n) {
        const RawReading reading = weather.next(0.5);
        wind.push_back(reading.s);
        revs.push_back(reading.r);
        current.push_back(reading.i);
    }
    EXPECT_GT(correlation(wind, revs), 0.7);
    EXPECT_GT(correlation(wind, current), 0.5);
    double mean = 0;
    for (const double s : wind)
        mean += s / static_cast<double>(wind.size());
    double spread = 0;
    for (const double s : wind)
        spread += (s - mean) * (s - mean) / static_cast<double>(wind.size());
    EXPECT_GT(std::sqrt(spread), 4.0) << "the wind should vary";
}

TEST(BoardWeather, ASeedReplaysTheSameFrames)
{
    auto firstFrames = [](std::uint64_t seed) {
        Random random(seed);
        BoardWeather weather(12, random);
        std::vector<std::string> frames;
        for (int n = 0; n < 100; ++n)
            frames.push_back(frameText(weather.next(0.5)));
        return frames;
    };
    EXPECT_EQ(firstFrames(1), firstFrames(1));
    EXPECT_NE(firstFrames(1), firstFrames(2));
}

TEST(BoardWeather, CountsMatchTheShippedCalibration)
{
    QFile file(QStringLiteral(CORVANE_INSTALL_DIR "/settings.cfg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(file.readAll());
    auto value = [&](const QString& key) {
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("<%1>([^<]*)</%1>").arg(key)).match(text);
        return match.hasMatch() ? match.captured(1) : QString();
    };
    using namespace calibration;
    EXPECT_EQ(value(QStringLiteral("VoltDivider")), QString::number(kVoltDivider));
    EXPECT_EQ(value(QStringLiteral("VoltOffset")), QString::number(kVoltOffset));
    EXPECT_EQ(value(QStringLiteral("AmpDivider")), QString::number(kAmpDivider));
    EXPECT_EQ(value(QStringLiteral("RPMDivider")), QString::number(kRpmDivider));
    EXPECT_EQ(value(QStringLiteral("WSDivider")), QString::number(kWsDivider));
}

}  // namespace
}  // namespace corvane::board
