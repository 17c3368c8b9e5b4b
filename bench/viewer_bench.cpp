// The log viewer's heaviest steps: loading a day of 9,999 records, drawing all five series
// into a 1200 x 600 picture, and one cursor move over that plot.
#include "offscreen_main.h"
#include "platform/platform.h"
#include "testing/fake_clock.h"
#include "testing/scripted_interaction.h"
#include "ui/graph.h"
#include "ui/graph_lists.h"
#include "ui/plot_widget.h"
#include "viewer/day_file_loader.h"
#include "viewer/plot_geometry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

using namespace corvane;

const QString kDayFile = QStringLiteral("P_2010_03_07.txt");
constexpr int kRecords = 9999;
constexpr TimeRange kWholeDay{0, 23 * 3600 + 59 * 60};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray field(double value) { return QByteArray::number(value, 'f', 2); }

// A windy day logged every 8 seconds: every series moves from record to record.
QByteArray dayOfRecords(int count)
{
    QByteArray text;
    text.reserve(count * 90);
    for (int n = 1; n <= count; ++n) {
        const int minute = 1 + n * 1436 / count;
        const double wave = std::sin(n / 50.0);
        text += "<T>" + QByteArray::number(minute / 60).rightJustified(2, '0') + ':'
                + QByteArray::number(minute % 60).rightJustified(2, '0') + "</T><V>" + field(26 + 2 * wave)
                + "</V><I>" + field(8 * wave + (n % 7) * 0.3) + "</I><W>" + field(200 * wave + 210) + "</W><R>"
                + QByteArray::number(static_cast<int>(150 + 140 * wave)) + "</R><S>" + field(30 + 20 * wave)
                + "</S><M>0</M>   " + field(n * 0.5) + "Wh\r\n";
    }
    return text;
}

// A viewer in a temporary program folder with the day file loaded and every series shown.
class LoadedViewer {
public:
    LoadedViewer()
    {
        QDir(m_folder.path()).mkdir(QStringLiteral("logs"));
        writeFile(m_folder.filePath(QStringLiteral("prog.cfg")),
                  "Program Config File\r\n\r\n<Port>0</Port>\r\n<LogDelay>10</LogDelay>\r\n"
                  "<WSUnits>km/h</WSUnits>\r\n<SV>24</SV>\r\n<MA>20</MA>\r\n\r\n");
        writeFile(dayPath(), dayOfRecords(kRecords));
        m_platform.programFolder = m_folder.path();
        m_platform.clock = &m_clock;
        m_platform.interaction = &m_user;
        graph = std::make_unique<Graph>(m_platform, nullptr);
        graph->Form_Load();
        graph->Check5->setChecked(true);
        graph->File1->setCurrentItem(graph->File1->findItems(kDayFile, Qt::MatchExactly).value(0));
        graph->File1_Click();
    }

    QString dayPath() const { return m_folder.filePath(QStringLiteral("logs/") + kDayFile); }
    bool loadedAll() const { return graph->records.recordCount == kRecords && m_user.messages.isEmpty(); }

    std::unique_ptr<Graph> graph;

private:
    QTemporaryDir m_folder;
    FakeClock m_clock;
    ScriptedInteraction m_user;
    Platform m_platform;
};

// One whole read of the day file and its parse into the record arrays.
void BM_LoadDayFile(benchmark::State& state)
{
    LoadedViewer viewer;
    RecordArrays records;
    for (auto _ : state) {
        QFile file(viewer.dayPath());
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("day file missing");
        const QByteArray content = file.readAll();
        benchmark::DoNotOptimize(loadDayRecords(content, kWholeDay, records));
    }
    if (records.recordCount != kRecords)
        state.SkipWithError("not every record loaded");
}
BENCHMARK(BM_LoadDayFile)->Unit(benchmark::kMillisecond);

// DISPLAY as the user presses it: the appended line, the load, limits, labels and geometry.
void BM_DisplayButton(benchmark::State& state)
{
    LoadedViewer viewer;
    for (auto _ : state) {
        viewer.graph->Time1h->setText(QStringLiteral("00"));
        viewer.graph->Time1m->setText(QStringLiteral("00"));
        viewer.graph->Time2h->setText(QStringLiteral("23"));
        viewer.graph->Time2m->setText(QStringLiteral("59"));
        viewer.graph->Command1_Click();
    }
    if (!viewer.loadedAll())
        state.SkipWithError("not every record loaded");
}
BENCHMARK(BM_DisplayButton)->Unit(benchmark::kMillisecond);

// The geometry of all five series, unscaled (the extra pass for the limits), and the
// painting of 5 x 9,998 segments into a 1200 x 600 picture.
void BM_DrawAllSeries(benchmark::State& state)
{
    LoadedViewer viewer;
    viewer.graph->Check6->setChecked(false);
    QImage image(1200, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        viewer.graph->DrawPlot();
        QPainter painter(&image);
        viewer.graph->Plot->paintPicture(painter, image.size());
    }
    if (!viewer.loadedAll() || viewer.graph->Plot->picture().lines.size() != 5)
        state.SkipWithError("not every series drawn");
}
BENCHMARK(BM_DrawAllSeries)->Unit(benchmark::kMillisecond);

// The painting alone, as a resize or an uncovered window repaints it.
void BM_PaintAllSeries(benchmark::State& state)
{
    LoadedViewer viewer;
    QImage image(1200, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        viewer.graph->Plot->paintPicture(painter, image.size());
    }
}
BENCHMARK(BM_PaintAllSeries)->Unit(benchmark::kMillisecond);

// One pointer move over the plot: the lookup and the six labels.
void BM_CursorMove(benchmark::State& state)
{
    LoadedViewer viewer;
    float x = 0;
    for (auto _ : state) {
        viewer.graph->Plot_MouseMove(x);
        x = x >= kRecords - 1 ? 0 : x + 7.3f;
    }
    if (viewer.graph->vt->text().isEmpty())
        state.SkipWithError("no readout");
}
BENCHMARK(BM_CursorMove)->Unit(benchmark::kMicrosecond);

// About 100 MB that the viewer must survive: binary bytes, megabyte lines and record
// lines without a valid time, parsed in one pass.
void BM_LoadHugeFile(benchmark::State& state)
{
    QByteArray binary(1 << 20, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 7919) % 256);
    const QByteArray longLine = "<T>14:05</T><V>" + QByteArray(1 << 20, '9') + "</V>\r\n";
    // Record lines whose time text is not a time, so that each takes the slow time rule.
    const QByteArray badTimes = dayOfRecords(2000).replace("<T>", "<T>x");
    QByteArray content;
    while (content.size() < 100'000'000)
        content += binary + "\r\n" + longLine + badTimes;
    RecordArrays records;
    for (auto _ : state)
        benchmark::DoNotOptimize(loadDayRecords(content, kWholeDay, records));
    state.SetBytesProcessed(state.iterations() * content.size());
}
BENCHMARK(BM_LoadHugeFile)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    return corvane::bench::runOffscreen(argc, argv);
}
