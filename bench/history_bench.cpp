// The energy history over a generated year of day files at a 10 s interval (365 files,
// about 3 million records): the year view with no summary cache and with a warm one,
// `corvane --summary` of the year with a warm cache as a whole process, and the summary of
// a 100 MB file of random bytes.
#include "history/day_summary.h"
#include "history/history_folder.h"
#include "offscreen_main.h"
#include "platform/platform.h"
#include "testing/fake_clock.h"
#include "testing/scripted_interaction.h"
#include "ui/history_window.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

using namespace corvane;

constexpr int kYear = 2025;
constexpr int kIntervalSeconds = 10;

// One day as the logger writes it, with a restart of the program at noon.
QByteArray dayFile(int dayOfYear)
{
    QByteArray text;
    text.reserve(8640 * 90);
    char line[160];
    double wattHours = 0;
    for (int second = 0; second < 86400; second += kIntervalSeconds) {
        const double wind = 4 + 3 * std::sin(dayOfYear / 20.0) + 2 * std::sin(second / 7000.0);
        const double watts = std::max(0.0, wind * wind * wind * 0.8);
        const double volts = 24 + watts / 300;
        if (second == 12 * 3600)
            wattHours = 0;
        wattHours += watts * kIntervalSeconds / 3600;
        const int rpm = static_cast<int>(wind * 30);
        const int length = std::snprintf(line, sizeof line,
                                         "<T>%02d:%02d</T><V>%.2f</V><I>%.2f</I><W>%.2f</W><R>%d</R><S>%.1f</S>"
                                         "<M>0</M>   %.1fWh\r\n",
                                         second / 3600, second / 60 % 60, volts, watts / volts, watts, rpm, wind,
                                         wattHours);
        text.append(line, length);
    }
    return text;
}

// The generated year, made once at the start in a temporary program folder.
class GeneratedYear {
public:
    GeneratedYear()
    {
        QDir(m_dir.path()).mkdir(QStringLiteral("logs"));
        for (QDate date(kYear, 1, 1); date.year() == kYear; date = date.addDays(1)) {
            QFile file(m_dir.filePath(date.toString(QStringLiteral("'logs/P_'yyyy_MM_dd'.txt'"))));
            const QByteArray content = dayFile(date.dayOfYear());
            m_bytes += content.size();
            if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
                qFatal("cannot write the generated year");
        }
    }

    QString folder() const { return m_dir.path(); }
    qint64 bytes() const { return m_bytes; }
    void dropCache() const { QFile::remove(m_dir.filePath(kHistoryCacheFile)); }

private:
    QTemporaryDir m_dir;
    qint64 m_bytes = 0;
};

const GeneratedYear& year()
{
    static const GeneratedYear generated;
    return generated;
}

struct Window {
    FakeClock clock{QDateTime(QDate(kYear, 12, 31), QTime(12, 0))};
    ScriptedInteraction user;
    Platform platform;
    std::unique_ptr<HistoryWindow> window;

    Window()
    {
        platform.programFolder = year().folder();
        platform.clock = &clock;
        platform.interaction = &user;
        window = std::make_unique<HistoryWindow>(platform, nullptr);
    }
};

void BM_YearViewCold(benchmark::State& state)
{
    Window w;
    for (auto _ : state) {
        state.PauseTiming();
        year().dropCache();
        state.ResumeTiming();
        w.window->showYear(kYear);
    }
    state.counters["MB"] = static_cast<double>(year().bytes()) / 1e6;
}
BENCHMARK(BM_YearViewCold)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_YearViewWarm(benchmark::State& state)
{
    Window w;
    w.window->showYear(kYear);
    for (auto _ : state)
        w.window->showYear(kYear);
}
BENCHMARK(BM_YearViewWarm)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SummaryOfAYearWarmProcess(benchmark::State& state)
{
    readHistory(year().folder());  // the cache is warm
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral(CORVANE_EXECUTABLE),
                      {QStringLiteral("--summary"), QStringLiteral("--folder"), year().folder()});
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            state.SkipWithError("corvane --summary failed");
    }
}
BENCHMARK(BM_SummaryOfAYearWarmProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_BinaryHundredMegabytes(benchmark::State& state)
{
    std::mt19937 random(13);
    QByteArray content(100 * 1024 * 1024, Qt::Uninitialized);
    for (char& byte : content)
        byte = static_cast<char>(random());
    for (auto _ : state)
        benchmark::DoNotOptimize(summariseDay(content, {}));
}
BENCHMARK(BM_BinaryHundredMegabytes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return corvane::bench::runOffscreen(argc, argv); }
