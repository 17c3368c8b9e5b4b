#include "alerts/alert_monitor.h"
#include "alerts/alert_sink.h"
#include "testing/fake_clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace corvane {
namespace {

// One change as the tests compare it: which alert, which way, and at which second of the run.
struct Seen {
    QString key;
    bool raised;
    qint64 second;
    bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& seen, std::ostream* out)
{
    *out << seen.key.toStdString() << (seen.raised ? " raised at " : " cleared at ") << seen.second;
}

class Recorder final : public AlertSink {
public:
    explicit Recorder(const FakeClock& clock) : m_clock(clock) {}
    void alertChanged(const AlertChange& change) override
    {
        changes.push_back(change);
        seen.push_back({change.key, change.raised, m_clock.monotonicMs() / 1000});
    }
    std::vector<AlertChange> changes;
    std::vector<Seen> seen;

private:
    const FakeClock& m_clock;
};

// A monitor on the test clock with frames once a second, as the board sends them.
class Harness {
public:
    explicit Harness(const AlertsConfig& config)
        : recorder(clock), monitor(config, clock, [this] { return portOpen; })
    {
        monitor.addSink(recorder);
    }

    // A frame at `volts` now and each second after, `seconds` frames in all; the clock's
    // part runs between them.
    void frames(double volts, int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            AcceptedFrame frame;
            frame.time = clock.now();
            frame.volts = volts;
            monitor.frameAccepted(frame);
            second();
        }
    }
    void rejected(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            monitor.frameRejected();
            second();
        }
    }
    void silence(int seconds)
    {
        for (int i = 0; i < seconds; ++i)
            second();
    }

    FakeClock clock;
    bool portOpen = true;
    Recorder recorder;
    AlertMonitor monitor;

private:
    void second()
    {
        clock.advanceSeconds(1);
        monitor.tick();
    }
};

std::vector<Seen> only(const std::vector<Seen>& seen, const QString& key)
{
    std::vector<Seen> kept;
    for (const Seen& s : seen)
        if (s.key == key)
            kept.push_back(s);
    return kept;
}

QString progConfig(const char* sv) { return QStringLiteral("Program Config File\r\n\r\n<SV>%1</SV>\r\n").arg(sv); }

TEST(AlertRules, EachBankRaisesAndClearsAtItsScaledDefaultsWithHysteresis)
{
    struct Case {
        const char* sv;
        double scale;
    };
    const Case cases[] = {{"12", 1}, {"24", 2}, {"48", 4}, {"36", 2}, {"", 2}, {"abc", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sv);
        const AlertsConfig config = readAlertsConfig(QString(), bankVolts(progConfig(c.sv))).config;
        Harness h(config);
        const double s = c.scale;
        h.frames(11.8 * s, 90);            // at Low is not below it
        h.frames(11.8 * s - 0.01, 60);     // 60 frames span 59 s: not yet
        EXPECT_TRUE(h.recorder.seen.empty());
        h.frames(11.8 * s - 0.01, 1);      // the first frame 60 s after the run began
        h.frames(12.4 * s - 0.01, 300);    // above Low, below LowClear: stays raised
        h.frames(12.4 * s, 61);            // at LowClear for 60 s: cleared
        h.frames(14.8 * s, 90);            // at High is not above it
        h.frames(14.8 * s + 0.01, 61);
        h.frames(14.2 * s + 0.01, 300);
        h.frames(14.2 * s, 61);
        const std::vector<Seen> expected{{kBatteryLowAlert, true, 150},
                                         {kBatteryLowAlert, false, 511},
                                         {kBatteryHighAlert, true, 662},
                                         {kBatteryHighAlert, false, 1023}};
        EXPECT_EQ(h.recorder.seen, expected);
        ASSERT_EQ(h.recorder.changes.size(), 4u);
        EXPECT_EQ(h.recorder.changes[0].message,
                  QStringLiteral("battery at %1 V, below %2 V for 60 s")
                      .arg(QString::number(11.8 * s - 0.01, 'f', 2), QString::number(11.8 * s, 'f', 2)));
        EXPECT_EQ(h.recorder.changes[0].volts, 11.8 * s - 0.01);
        EXPECT_EQ(h.recorder.changes[3].message,
                  QStringLiteral("battery at %1 V, at or below %1 V for 60 s").arg(QString::number(14.2 * s, 'f', 2)));
    }
}

TEST(AlertRules, WaitsStartAgainWhenARunIsBrokenAndOnlyTheMonotonicClockCounts)
{
    const double low = 11.0;
    const double normal = 12.6;
    struct Case {
        const char* name;
        std::function<void(Harness&)> run;
        std::vector<Seen> lowChanges;
    };
    const Case cases[] = {
        {"a wobble across Low every 30 s raises nothing",
         [&](Harness& h) {
             for (int i = 0; i < 10; ++i) {
                 h.frames(low, 30);
                 h.frames(normal, 30);
             }
         },
         {}},
        {"one frame back above Low starts the wait again",
         [&](Harness& h) {
             h.frames(low, 60);
             h.frames(normal, 1);
             h.frames(low, 61);
         },
         {{kBatteryLowAlert, true, 121}}},
        {"a clear broken by one low frame waits again",
         [&](Harness& h) {
             h.frames(low, 61);
             h.frames(normal, 60);
             h.frames(low, 1);
             h.frames(normal, 61);
         },
         {{kBatteryLowAlert, true, 60}, {kBatteryLowAlert, false, 182}}},
        {"a gap longer than NoData starts the wait again",
         [&](Harness& h) {
             h.frames(low, 30);
             h.silence(121);
             h.frames(low, 60);
         },
         {}},
        {"a gap within NoData keeps the run",
         [&](Harness& h) {
             h.frames(low, 30);
             h.silence(90);
             h.frames(low, 1);
         },
         {{kBatteryLowAlert, true, 120}}},
        {"rejected frames neither break nor make a run",
         [&](Harness& h) {
             h.frames(low, 30);
             h.rejected(20);
             h.frames(low, 11);
         },
         {{kBatteryLowAlert, true, 60}}},
        {"a raised alert stays raised across logging off and on",
         [&](Harness& h) {
             h.frames(low, 61);
             h.monitor.loggingSwitched(false);
             h.frames(low, 30);
             h.monitor.loggingSwitched(true);
             h.frames(low, 200);
         },
         {{kBatteryLowAlert, true, 60}}},
        {"the wall clock set a day ahead mid-run neither raises nor clears",
         [&](Harness& h) {
             h.frames(low, 30);
             h.clock.set(h.clock.now().addDays(1));
             h.frames(low, 20);
             h.clock.set(h.clock.now().addDays(-2));
             h.frames(low, 11);
             h.clock.set(h.clock.now().addYears(5));
             h.frames(normal, 50);
         },
         {{kBatteryLowAlert, true, 60}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AlertsConfig config = defaultAlertsConfig(12);
        Harness h(config);
        c.run(h);
        EXPECT_EQ(only(h.recorder.seen, kBatteryLowAlert), c.lowChanges);
        EXPECT_TRUE(only(h.recorder.seen, kBatteryHighAlert).empty());
    }
}

TEST(AlertRules, NoDataWaitsItsFullTimeWhileThePortIsMeantToBeOpen)
{
    struct Case {
        const char* name;
        std::function<void(Harness&)> run;
        std::vector<Seen> changes;
        const char* lastMessage;
    };
    const Case cases[] = {
        {"rejected frames only: raised after NoData from the start",
         [](Harness& h) { h.rejected(200); },
         {{kNoDataAlert, true, 120}},
         "no frame for 120 s"},
        {"cleared at the next accepted frame",
         [](Harness& h) {
             h.frames(25.0, 10);
             h.silence(150);
             h.frames(25.0, 1);
         },
         {{kNoDataAlert, true, 129}, {kNoDataAlert, false, 160}},
         "frame received after 151 s without one"},
        {"a port the dialogs closed raises nothing, and its wait starts again when it reopens",
         [](Harness& h) {
             h.portOpen = false;
             h.silence(500);
             h.portOpen = true;
             h.silence(121);
         },
         {{kNoDataAlert, true, 620}},
         "no frame for 120 s"},
        {"the wall clock set back or ahead decides nothing",
         [](Harness& h) {
             h.silence(60);
             h.clock.set(h.clock.now().addDays(1));
             h.silence(50);
             h.clock.set(h.clock.now().addYears(-3));
             h.silence(9);
         },
         {},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h(defaultAlertsConfig(24));
        c.run(h);
        EXPECT_EQ(h.recorder.seen, c.changes);
        if (!h.recorder.changes.empty()) {
            EXPECT_EQ(h.recorder.changes.back().message, QString::fromLatin1(c.lastMessage));
            EXPECT_FALSE(h.recorder.changes.back().volts.has_value());
        }
    }
}

TEST(AlertRules, StatesListEveryAlertThatIsOnFromACleanStart)
{
    AlertsConfig config = defaultAlertsConfig(12);
    config.high.reset();
    Harness h(config);
    const QDateTime start = h.clock.now();
    ASSERT_EQ(h.monitor.states().size(), 2u);
    EXPECT_EQ(h.monitor.states()[0].key, kBatteryLowAlert);
    EXPECT_EQ(h.monitor.states()[1].key, kNoDataAlert);
    for (const AlertChange& state : h.monitor.states()) {
        EXPECT_FALSE(state.raised);
        EXPECT_EQ(state.since, start);
    }
    h.frames(10.0, 61);
    EXPECT_TRUE(h.monitor.states()[0].raised);
    EXPECT_EQ(h.monitor.states()[0].since, start.addSecs(60));
    EXPECT_EQ(h.monitor.states()[0].volts, 10.0);

    config.enabled = false;
    Harness off(config);
    off.frames(10.0, 200);
    off.silence(200);
    EXPECT_TRUE(off.monitor.states().empty());
    EXPECT_TRUE(off.recorder.seen.empty());
}

}  // namespace
}  // namespace corvane
