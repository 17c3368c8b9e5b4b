#include "config/alerts_config.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvane {
namespace {

QString file(const char* lines) { return QStringLiteral("Alert Settings\r\n\r\n") + QString::fromLatin1(lines); }

TEST(AlertsConfig, MissingFileOrKeysTakeTheDefaultsOfTheBank)
{
    struct Case {
        const char* progConfig;
        int bank;
    };
    const Case banks[] = {{"<SV>12</SV>", 12}, {"<SV>24</SV>", 24}, {"<SV>48</SV>", 48},
                          {"<SV>36</SV>", 24}, {"<SV></SV>", 24},   {"", 24}};
    for (const Case& c : banks) {
        SCOPED_TRACE(c.progConfig);
        ASSERT_EQ(bankVolts(QString::fromLatin1(c.progConfig)), c.bank);
        const double scale = c.bank / 12.0;
        const AlertsConfigReading reading = readAlertsConfig(QString(), c.bank);
        EXPECT_TRUE(reading.problems.isEmpty());
        EXPECT_EQ(reading.config, reading.written);
        const AlertsConfig& config = reading.config;
        EXPECT_TRUE(config.enabled);
        EXPECT_DOUBLE_EQ(*config.low, 11.8 * scale);
        EXPECT_DOUBLE_EQ(config.lowClear, 12.4 * scale);
        EXPECT_DOUBLE_EQ(*config.high, 14.8 * scale);
        EXPECT_DOUBLE_EQ(config.highClear, 14.2 * scale);
        EXPECT_EQ(config.delaySeconds, 60);
        EXPECT_EQ(config.noDataSeconds, 120);
        EXPECT_TRUE(config.command.isEmpty());
    }
}

TEST(AlertsConfig, ReadsEachKeyAndEmptyValuesSwitchAlertsOff)
{
    struct Case {
        const char* name;
        const char* lines;
        std::function<bool(const AlertsConfig&)> holds;
    };
    const Case cases[] = {
        {"off", "<Enabled>0</Enabled>", [](const AlertsConfig& c) { return !c.enabled; }},
        {"levels", "<Low>11.5</Low><LowClear>12</LowClear><High>14.5</High><HighClear>13.9</HighClear>",
         [](const AlertsConfig& c) { return c.low == 11.5 && c.lowClear == 12 && c.high == 14.5 && c.highClear == 13.9; }},
        {"delays", "<Delay> 30 </Delay><NoData>300</NoData>",
         [](const AlertsConfig& c) { return c.delaySeconds == 30 && c.noDataSeconds == 300; }},
        {"empty Low is off", "<Low></Low>", [](const AlertsConfig& c) { return !c.low && c.high; }},
        {"empty High is off", "<High> </High>", [](const AlertsConfig& c) { return !c.high && c.low; }},
        {"empty NoData is off", "<NoData></NoData>", [](const AlertsConfig& c) { return !c.noDataSeconds; }},
        {"empty LowClear keeps its default", "<LowClear></LowClear>", [](const AlertsConfig& c) { return c.lowClear == 12.4; }},
        {"command", "<Command>/usr/local/bin/notify 'a b'</Command>",
         [](const AlertsConfig& c) { return c.command == u"/usr/local/bin/notify 'a b'"; }},
        {"closing tag missing keeps the default", "<Low>10", [](const AlertsConfig& c) { return c.low == 11.8; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AlertsConfigReading reading = readAlertsConfig(file(c.lines), 12);
        EXPECT_TRUE(reading.problems.isEmpty()) << reading.problems.join(u'|').toStdString();
        EXPECT_TRUE(c.holds(reading.config));
    }
}

TEST(AlertsConfig, ContradictionsAreReportedAndSwitchOnlyTheirAlertOff)
{
    struct Case {
        const char* lines;
        const char* problem;
        bool lowOn, highOn, noDataOn;
    };
    const Case cases[] = {
        {"<Low>12</Low><LowClear>11.9</LowClear>", "alerts.cfg: LowClear 11.9 is below Low 12; battery_low is off", false,
         true, true},
        {"<Low>12.4</Low>", nullptr, true, true, true},  // LowClear equal to Low is allowed
        {"<HighClear>15</HighClear>", "alerts.cfg: HighClear 15 is above High 14.8; battery_high is off", true, false,
         true},
        {"<Low>0</Low><LowClear>0</LowClear>", "alerts.cfg: Low 0 is not positive; battery_low is off", false, true,
         true},
        {"<High>-3</High><HighClear>-4</HighClear>", "alerts.cfg: High -3 is not positive; battery_high is off", true,
         false, true},
        {"<Delay>0</Delay>", "alerts.cfg: Delay 0 is not positive; battery_low and battery_high are off", false, false,
         true},
        {"<NoData>-1</NoData>", "alerts.cfg: NoData -1 is not positive; no_data is off", true, true, false},
        {"<High>lots</High>", "alerts.cfg: High \"lots\" is not a number; battery_high is off", true, false, true},
        {"<Low></Low><LowClear>-1</LowClear>", nullptr, false, true, true},  // an alert that is off is not checked
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        const AlertsConfigReading reading = readAlertsConfig(file(c.lines), 12);
        if (c.problem) {
            ASSERT_FALSE(reading.problems.isEmpty());
            EXPECT_EQ(reading.problems.first(), QString::fromLatin1(c.problem));
        } else {
            EXPECT_TRUE(reading.problems.isEmpty()) << reading.problems.join(u'|').toStdString();
        }
        EXPECT_EQ(reading.config.low.has_value(), c.lowOn);
        EXPECT_EQ(reading.config.high.has_value(), c.highOn);
        EXPECT_EQ(reading.config.noDataSeconds.has_value(), c.noDataOn);
    }
}

TEST(AlertsConfig, WritesTheWholeFileAndReadsItBack)
{
    AlertsConfig config = defaultAlertsConfig(24);
    config.high.reset();
    config.delaySeconds = 45;
    config.command = QStringLiteral("/usr/local/bin/alert-ntfy");
    const QString text = alertsConfigText(config);
    EXPECT_EQ(text, QStringLiteral("Alert Settings\r\n\r\n<Enabled>1</Enabled>\r\n<Low>23.6</Low>\r\n"
                                   "<LowClear>24.8</LowClear>\r\n<High></High>\r\n<HighClear>28.4</HighClear>\r\n"
                                   "<Delay>45</Delay>\r\n<NoData>120</NoData>\r\n"
                                   "<Command>/usr/local/bin/alert-ntfy</Command>\r\n"));
    EXPECT_EQ(readAlertsConfig(text, 12).config, config);
}

}  // namespace
}  // namespace corvane
