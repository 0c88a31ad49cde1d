// The composition against its I/O floor, natively, as ratios printed after the runs.
#include <benchmark/benchmark.h>

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

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::unique_ptr<Workload>> workloads;
  for (const Size& s : Sizes) {
    workloads.push_back(std::make_unique<Workload>(s.width, s.height, s.wallpaperWidth, s.wallpaperHeight));
    Workload* w = workloads.back().get();
    const std::string name = ovelix::bench::Name(s.width, s.height, s.wallpaperWidth, s.wallpaperHeight);
    // Floor and composition alternate so that both see the same machine.
    benchmark::RegisterBenchmark(("floor " + name).c_str(), [w](benchmark::State& state) {
      for (auto _ : state) w->IoFloor();
    })->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark(("compose " + name).c_str(), [w](benchmark::State& state) {
      for (auto _ : state) w->Compose();
    })->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nComposition / I/O floor (median of 5, target <= 1.5):\n");
  for (const Size& s : Sizes) {
    const std::string name = ovelix::bench::Name(s.width, s.height, s.wallpaperWidth, s.wallpaperHeight);
    const double floor = reporter.times["floor " + name];
    const double compose = reporter.times["compose " + name];
    if (floor > 0) std::printf("  %-24s %7.2f ms / %7.2f ms = %.2f\n", name.c_str(), compose, floor, compose / floor);
  }
  return 0;
}
