// The display simulation's frames, delays skipped (a test clock sleeps for no time): every
// transition effect from the time to the date, and the whole sequence the PC Simulation plays.
#include <benchmark/benchmark.h>

#include "core/base/Random.h"
#include "core/watchconfig/DisplaySim.h"
#include "platform/sim/FakeClock.h"

namespace {

class FrameCounter final : public kiro::DisplayObserver {
  public:
    void StepShown(const kiro::DisplayFrame& frame, int) override {
        benchmark::DoNotOptimize(frame.data());
        ++frames;
    }
    int64_t frames = 0;
};

void Effect(benchmark::State& state) {
    const int effect = static_cast<int>(state.range(0));
    const kiro::DisplayFrame from = kiro::RenderTime(12, 34);
    const kiro::DisplayFrame to = kiro::RenderDate(12, 7);
    kiro::Random random;
    kiro::sim::FakeClock clock;
    FrameCounter counter;
    kiro::DisplaySim display(random, clock, counter);
    for (auto _ : state) {
        display.ShowAtOnce(from);
        display.PlayEffect(effect, to);
    }
    state.counters["frames"] =
        benchmark::Counter(static_cast<double>(counter.frames), benchmark::Counter::kIsRate);
}
BENCHMARK(Effect)->Name("display simulation/effect")->DenseRange(0, 10)->Unit(benchmark::kMicrosecond);

void WholeSequence(benchmark::State& state) {
    kiro::DisplayInput input;
    input.message = "GOOD MORNING! 10000 STEPS A DAY";
    input.pictureHex = "1C3E7F7F3E1C08001C3E7F7F3E1C0800";
    for (int item = 0; item < 10; ++item) input.disp[static_cast<size_t>(item)] = item;
    kiro::Random random;
    kiro::sim::FakeClock clock;
    FrameCounter counter;
    for (auto _ : state) {
        kiro::DisplaySim display(random, clock, counter, input.sped);
        display.RunSequence(input, kiro::LocalTime{2026, 12, 7, 9, 30, 0, 1}, 8192000, 4096000);
    }
    state.counters["frames"] =
        benchmark::Counter(static_cast<double>(counter.frames), benchmark::Counter::kIsRate);
}
BENCHMARK(WholeSequence)->Name("display simulation/whole sequence")->Unit(benchmark::kMicrosecond);

}  // namespace
