// Time of one accepted frame from the port's receive notification to the rebuilt live
// list and caption, on the real main window under the offscreen platform.
#include "bench_window.h"
#include "offscreen_main.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace corvane;

using FramePath = BenchWindow;
const QString& kFrame = kBenchFrame;

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
