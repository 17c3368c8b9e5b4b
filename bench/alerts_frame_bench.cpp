// What the alerts cost the frame path: the monitor's own work on one accepted frame, and
// one accepted frame on the real main window without and with the alerts attached (the
// difference is the alerts' share). No frame here raises or clears an alert, as nearly
// every frame in use does not.
#include "alerts/alert_monitor.h"
#include "app/alerting.h"
#include "bench_window.h"
#include "offscreen_main.h"

#include <benchmark/benchmark.h>

namespace {

using namespace corvane;

// Every alert on at the defaults; the frames alternate below Low and back, so the battery
// rule starts and breaks a run each time, its most expensive path short of a change.
void BM_MonitorFrame(benchmark::State& state)
{
    SystemClock clock;
    AlertMonitor monitor(defaultAlertsConfig(24), clock, [] { return true; });
    AcceptedFrame frames[2];
    frames[0].volts = 22.0;
    frames[1].volts = 25.6;
    std::size_t n = 0;
    for (auto _ : state)
        monitor.frameAccepted(frames[n++ % 2]);
    if (monitor.states().at(0).raised)
        state.SkipWithError("an alert was raised");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MonitorFrame);

void acceptedFrames(benchmark::State& state, bool withAlerts)
{
    BenchWindow path;
    std::unique_ptr<Alerting> alerting;
    if (withAlerts)
        alerting = startAlerting(*path.window, path.platform());
    const int before = path.window->sampleCount;
    for (auto _ : state)
        path.port().deliver(kBenchFrame);
    if (path.anyErrorLogged() || path.window->sampleCount - before != static_cast<int>(state.iterations()))
        state.SkipWithError("a frame was rejected");
    state.SetItemsProcessed(state.iterations());
}

void BM_AcceptedFrameWithoutAlerts(benchmark::State& state) { acceptedFrames(state, false); }
BENCHMARK(BM_AcceptedFrameWithoutAlerts);

void BM_AcceptedFrameWithAlerts(benchmark::State& state) { acceptedFrames(state, true); }
BENCHMARK(BM_AcceptedFrameWithAlerts);

}  // namespace

int main(int argc, char** argv) { return corvane::bench::runOffscreen(argc, argv); }
