#include "viewer/viewer_config.h"

#include "support/config_text.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

TEST(ViewerConfig, TakesTheFourValuesTheViewerNeeds)
{
    struct Case {
        QString sv;
        QString ma;
        double voltsFullScale;
        int maxAmps;
    };
    const Case cases[] = {
        {"12", "10", 17.5, 10}, {"24", "20", 35, 20}, {"48", "50", 70, 50}, {"24", "20.5", 35, 20}, {"24", "21.5", 35, 22},
    };
    for (const Case& c : cases) {
        ProgConfig prog;
        prog.SV = c.sv;
        prog.MA = c.ma;
        prog.LogDelay = QStringLiteral(" 30 ");
        prog.WSUnits = QStringLiteral(" m/s");
        const ViewerConfigReading reading = readViewerConfig(QString::fromLatin1(prog.text()));
        ASSERT_TRUE(reading.config) << c.sv.toStdString();
        EXPECT_DOUBLE_EQ(reading.config->voltsFullScale, c.voltsFullScale);
        EXPECT_EQ(reading.config->maxAmps, c.maxAmps);
        EXPECT_EQ(reading.config->LogDelay, u" 30 ");
        EXPECT_DOUBLE_EQ(reading.config->logDelaySeconds, 30);
        EXPECT_EQ(reading.config->WSUnits, u" m/s");
    }
}

TEST(ViewerConfig, NamesTheFirstKeyThatIsMissingOrUnusable)
{
    const QString good = QString::fromLatin1(ProgConfig().text());
    struct Case {
        QString text;
        QString key;
    };
    const Case cases[] = {
        {"", "LogDelay"},
        {QString(good).replace("<LogDelay>60</LogDelay>", ""), "LogDelay"},
        {QString(good).replace("<LogDelay>60", "<LogDelay>sixty"), "LogDelay"},
        {QString(good).replace("<LogDelay>60</LogDelay>", "</LogDelay>60<LogDelay>"), "LogDelay"},
        {QString(good).replace("<SV>24</SV>", "24</SV>"), "SV"},
        {QString(good).replace("<SV>24", "<SV>"), "SV"},
        {QString(good).replace("<SV>24", "<SV>1e308"), "SV"},
        {QString(good).replace("<MA>20", "<MA>lots"), "MA"},
        {QString(good).replace("<MA>20", "<MA>40000"), "MA"},
        {QString(good).replace("</WSUnits>", ""), "WSUnits"},
        {QString(good).replace("<WSUnits>", "<wsunits>"), "WSUnits"},
    };
    for (const Case& c : cases) {
        const ViewerConfigReading reading = readViewerConfig(c.text);
        EXPECT_FALSE(reading.config) << c.key.toStdString();
        EXPECT_EQ(reading.unusableKey, c.key);
    }
}

}  // namespace
}  // namespace corvane::test
