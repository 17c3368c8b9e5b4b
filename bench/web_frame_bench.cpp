// What the page's server costs the frame path: one accepted frame on the real main
// window with the page off, on without clients, and on with four WebSocket clients that
// take every message.
// The server listens on 127.0.0.1 at a free port.
#include "app/web_serving.h"
#include "bench_window.h"
#include "config/web_config.h"
#include "offscreen_main.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QWebSocket>
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
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

class FramePath : public BenchWindow {
public:
    explicit FramePath(int webPort = 0)
    {
        if (webPort) {
            WebConfig config;
            config.enabled = true;
            config.address = QStringLiteral("127.0.0.1");
            config.port = webPort;
            writeBenchFile(platform().path(kWebConfigFile), webConfigText(config).toLatin1());
            serving = startWebServing(*window, platform());
        }
    }
    ~FramePath()
    {
        serving.reset();
        window.reset();
    }

    std::unique_ptr<WebServing> serving;
};

// The pause (not timed) lets the server's thread send each frame's message in between,
// as the quarter second between real frames does.
void run(benchmark::State& state, FramePath& path)
{
    const int before = path.window->sampleCount;
    for (auto _ : state) {
        path.port().deliver(kBenchFrame);
        state.PauseTiming();
        QThread::usleep(300);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (path.window->sampleCount - before != static_cast<int>(state.iterations()))
        state.SkipWithError("a frame was rejected");
    state.SetItemsProcessed(state.iterations());
}

void BM_FrameWebPageOff(benchmark::State& state)
{
    FramePath path;
    run(state, path);
}
BENCHMARK(BM_FrameWebPageOff)->Unit(benchmark::kMicrosecond);

void BM_FrameWebPageOnWithoutClients(benchmark::State& state)
{
    FramePath path(freePort());
    if (!waitFor([&] { return path.serving->server->port() != 0; })) {
        state.SkipWithError("the page's server did not listen");
        return;
    }
    run(state, path);
}
BENCHMARK(BM_FrameWebPageOnWithoutClients)->Unit(benchmark::kMicrosecond);

void BM_FrameWebPageWithFourSocketClients(benchmark::State& state)
{
    const int port = freePort();
    FramePath path(port);
    std::vector<std::unique_ptr<QWebSocket>> clients;
    int connected = 0;
    int received = 0;
    for (int n = 0; n < 4; ++n) {
        auto client = std::make_unique<QWebSocket>();
        QObject::connect(client.get(), &QWebSocket::connected, [&connected] { ++connected; });
        QObject::connect(client.get(), &QWebSocket::textMessageReceived, [&received] { ++received; });
        clients.push_back(std::move(client));
    }
    if (!waitFor([&] { return path.serving->server->port() != 0; })) {
        state.SkipWithError("the page's server did not listen");
        return;
    }
    for (auto& client : clients)
        client->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
    if (!waitFor([&] { return connected == 4; })) {
        state.SkipWithError("the WebSocket clients did not connect");
        return;
    }
    run(state, path);
    waitFor([&] { return received > 0; });
    state.counters["messages"] = received;
}
BENCHMARK(BM_FrameWebPageWithFourSocketClients)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    return corvane::bench::runOffscreen(argc, argv);
}
