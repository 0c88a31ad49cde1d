// The composition against its I/O floor, natively, as ratios printed after the runs.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <map>
#include <memory>

#include "bench/compose_workload.h"

namespace {

using ovelix::bench::Workload;

struct Size {
  int width, height, wallpaperWidth, wallpaperHeight;
};
constexpr Size Sizes[] = {{1920, 1080, 1920, 1080}, {1920, 1080, 640, 480}, {3840, 2160, 3840, 2160}, {3840, 2160, 640, 480}};

long MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

// Keeps each benchmark's time per iteration, to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") times[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

// Times `work` and counts the page faults it takes: first touches of fresh memory, the cost
// that grows with the stores.
template <typename Work>
void Register(const std::string& name, Work work) {
  benchmark::RegisterBenchmark(name.c_str(), [work](benchmark::State& state) {
    const long faults = MinorFaults();
    for (auto _ : state) work();
    state.counters["faults"] = benchmark::Counter(static_cast<double>(MinorFaults() - faults), benchmark::Counter::kAvgIterations);
  })->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::unique_ptr<Workload>> workloads;
  for (const Size& s : Sizes) {
    workloads.push_back(std::make_unique<Workload>(s.width, s.height, s.wallpaperWidth, s.wallpaperHeight));
    Workload* w = workloads.back().get();
    const std::string name = ovelix::bench::Name(s.width, s.height, s.wallpaperWidth, s.wallpaperHeight);
    // Floors and composition alternate so that all see the same machine.
    Register("floor " + name, [w] { w->IoFloor(); });
    Register("first touch " + name, [w] { w->FirstTouch(); });
    Register("compose " + name, [w] { w->Compose(); });
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nComposition / I/O floor (median of 5, target <= 1.5), and / (I/O floor + first touch of its stores):\n");
  for (const Size& s : Sizes) {
    const std::string name = ovelix::bench::Name(s.width, s.height, s.wallpaperWidth, s.wallpaperHeight);
    const double floor = reporter.times["floor " + name];
    const double touch = reporter.times["first touch " + name];
    const double compose = reporter.times["compose " + name];
    if (floor > 0) {
      std::printf("  %-24s %7.2f ms / %7.2f ms = %.2f;  / (%.2f + %.2f ms) = %.2f\n", name.c_str(), compose, floor,
                  compose / floor, floor, touch, compose / (floor + touch));
    }
  }
  return 0;
}
