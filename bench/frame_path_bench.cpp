// Time of one accepted frame from the port's receive notification to the rebuilt live
// list and caption, on the real main window under the offscreen platform.
#include "offscreen_main.h"
#include "platform/clock.h"
#include "platform/fake_serial_port.h"
#include "platform/interaction.h"
#include "platform/platform.h"
#include "ui/corvane_main.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace corvane;

void writeConfigFile(const QString& path, const char* text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(text);
}

// A main window showing all six rows, logging on, fed by a fake port.
class FramePath {
public:
    FramePath()
    {
        writeConfigFile(m_folder.filePath(QStringLiteral("prog.cfg")),
                  "Program Config File\r\n\r\n<Port>0</Port>\r\n<Savehtml>0</Savehtml>\r\n"
                  "<SaveExcel>0</SaveExcel>\r\n<LogDelay>60</LogDelay>\r\n<LogOn>0</LogOn>\r\n"
                  "<DisplayRPM>1</DisplayRPM>\r\n<DisplayWS>1</DisplayWS>\r\n<WSUnits>km/h</WSUnits>\r\n"
                  "<SV>24</SV>\r\n<MA>20</MA>\r\n<BR>9600</BR>\r\n<dispMessages>1</dispMessages>\r\n\r\n");
        writeConfigFile(m_folder.filePath(QStringLiteral("settings.cfg")),
                  "Calibration Settings\r\n\r\n\r\n<VoltDivider>59.127</VoltDivider>\r\n"
                  "<VoltOffset>500</VoltOffset>\r\n<AmpDivider>3.8</AmpDivider>\r\n"
                  "<RPMDivider>3</RPMDivider>\r\n<WSDivider>10</WSDivider>\r\n");
        m_platform.programFolder = m_folder.path();
        m_platform.clock = &m_clock;
        m_platform.interaction = &m_user;
        m_platform.makeSerialPort = [this] {
            auto port = std::make_unique<FakeSerialPort>();
            m_port = port.get();
            return port;
        };
        window = std::make_unique<CorvaneMain>(m_platform);
        window->show();
        window->Form_Load();
        window->StartLogging_Click();
    }

    FakeSerialPort& port() { return *m_port; }
    bool anyErrorLogged() const { return QFile::exists(m_folder.filePath(QStringLiteral("errorlog.txt"))); }

    std::unique_ptr<CorvaneMain> window;

private:
    QTemporaryDir m_folder;
    FakeClock m_clock;
    ScriptedInteraction m_user;
    Platform m_platform;
    FakeSerialPort* m_port = nullptr;
};

// 53 characters with the line end, well inside the 60 allowed.
const QString kFrame = QStringLiteral("[<V>745</V><I>512</I><R>12</R><S>40</S><C>1309</C>]\r\n");

void checkAccepted(benchmark::State& state, const FramePath& path, int before)
{
    if (path.anyErrorLogged() || path.window->sampleCount - before != static_cast<int>(state.iterations()))
        state.SkipWithError("a frame was rejected");
    state.SetItemsProcessed(state.iterations());
}

// The handler's own work: what each notification costs the user-interface thread.
void BM_AcceptedFrame(benchmark::State& state)
{
    FramePath path;
    const int before = path.window->sampleCount;
    for (auto _ : state)
        path.port().deliver(kFrame);
    checkAccepted(state, path, before);
}
BENCHMARK(BM_AcceptedFrame);

// The same, with the event loop run after each frame so that the list and caption are
// laid out and painted as they would be between two frames.
void BM_AcceptedFrameAndRepaint(benchmark::State& state)
{
    FramePath path;
    const int before = path.window->sampleCount;
    for (auto _ : state) {
        path.port().deliver(kFrame);
        QCoreApplication::processEvents();
    }
    checkAccepted(state, path, before);
}
BENCHMARK(BM_AcceptedFrameAndRepaint);

// A frame whose every reading differs from the one before, so every value shown and the
// frame text change and are painted: the most a frame can cost.
void BM_ChangingFrameAndRepaint(benchmark::State& state)
{
    const QString frames[] = {kFrame, QStringLiteral("[<V>761</V><I>530</I><R>15</R><S>44</S><C>1350</C>]\r\n")};
    FramePath path;
    const int before = path.window->sampleCount;
    std::size_t n = 0;
    for (auto _ : state) {
        path.port().deliver(frames[n++ % 2]);
        QCoreApplication::processEvents();
    }
    checkAccepted(state, path, before);
}
BENCHMARK(BM_ChangingFrameAndRepaint);

}  // namespace

int main(int argc, char** argv)
{
    return corvane::bench::runOffscreen(argc, argv);
}
