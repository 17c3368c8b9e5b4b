// What publishing costs the frame path: one accepted frame on the real main window, with
// publishing off, on with a broker that answers, and on with a broker that has stopped
// (SIGSTOP) while its connection stays open. The broker is a Mosquitto of the benchmark's
// own on 127.0.0.1 at a free port.
#include "app/publishing.h"
#include "publish/json_texts.h"
#include "bench_window.h"
#include "offscreen_main.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace corvane;

int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

bool waitFor(const std::function<bool()>& condition)
{
    QDeadlineTimer deadline(10000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    return true;
}

class Broker {
public:
    Broker() : m_port(freePort())
    {
        QByteArray config = "persistence false\nallow_anonymous true\nlog_dest none\nlistener "
                            + QByteArray::number(m_port) + " 127.0.0.1\n";
        if (::geteuid() == 0)
            config.prepend("user root\n");
        writeBenchFile(m_dir.filePath(QStringLiteral("broker.conf")), config);
        m_process.start(QStringLiteral("mosquitto"), {QStringLiteral("-c"), m_dir.filePath(QStringLiteral("broker.conf"))});
        m_process.waitForStarted();
    }
    ~Broker()
    {
        resume();
        m_process.kill();
        m_process.waitForFinished();
    }
    int port() const { return m_port; }
    void pause() { ::kill(static_cast<pid_t>(m_process.processId()), SIGSTOP); }
    void resume() { ::kill(static_cast<pid_t>(m_process.processId()), SIGCONT); }

private:
    QTemporaryDir m_dir;
    int m_port;
    QProcess m_process;
};

// The benchmarks' main window, publishing to `brokerPort` when given.
class FramePath : public BenchWindow {
public:
    explicit FramePath(int brokerPort = 0)
        : BenchWindow(brokerPort ? "MQTT Settings\r\n\r\n<Enabled>1</Enabled>\r\n<Host>127.0.0.1</Host>\r\n<Port>"
                                       + QByteArray::number(brokerPort) + "</Port>\r\n<ClientId>bench</ClientId>\r\n"
                                 : QByteArray())
    {
        publishing = startPublishing(*window, platform());
    }
    ~FramePath()
    {
        publishing.reset();
        window.reset();
    }

    std::unique_ptr<Publishing> publishing;
};

const QString& kFrame = kBenchFrame;

// Frames come a quarter of a second apart, and the network thread sends each one in
// between; the pause (not timed) gives it that time, so that only the handler is measured.
void run(benchmark::State& state, FramePath& path)
{
    const int before = path.window->sampleCount;
    for (auto _ : state) {
        path.port().deliver(kFrame);
        state.PauseTiming();
        QThread::usleep(300);
        state.ResumeTiming();
    }
    if (path.window->sampleCount - before != static_cast<int>(state.iterations()))
        state.SkipWithError("a frame was rejected");
    state.SetItemsProcessed(state.iterations());
}

void BM_FramePublishingOff(benchmark::State& state)
{
    FramePath path;
    run(state, path);
}
BENCHMARK(BM_FramePublishingOff)->Unit(benchmark::kMicrosecond);

void BM_FramePublishingToARunningBroker(benchmark::State& state)
{
    Broker broker;
    FramePath path(broker.port());
    if (!waitFor([&] { return path.publishing->publisher->connected(); })) {
        state.SkipWithError("no connection to the broker");
        return;
    }
    run(state, path);
}
BENCHMARK(BM_FramePublishingToARunningBroker)->Unit(benchmark::kMicrosecond);

// The broker stops answering with its connection open: Corvane goes on publishing into
// the connection until the keep-alive gives up on it, then only queues.
void BM_FramePublishingToAStoppedBroker(benchmark::State& state)
{
    Broker broker;
    FramePath path(broker.port());
    if (!waitFor([&] { return path.publishing->publisher->connected(); })) {
        state.SkipWithError("no connection to the broker");
        return;
    }
    broker.pause();
    run(state, path);
    broker.resume();
}
BENCHMARK(BM_FramePublishingToAStoppedBroker)->Unit(benchmark::kMicrosecond);

// The text of one live message, the part of the publishing cost that is Corvane's own.
void BM_LiveJson(benchmark::State& state)
{
    AcceptedFrame frame{QDateTime::currentDateTime(), 12.6, 3.2, 40.32, 234.56789, 180.5, 4.5, QStringLiteral("km/h")};
    for (auto _ : state)
        benchmark::DoNotOptimize(liveJson(frame).toUtf8());
}
BENCHMARK(BM_LiveJson)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    return corvane::bench::runOffscreen(argc, argv);
}
