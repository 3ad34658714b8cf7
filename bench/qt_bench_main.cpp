// The main function of the benchmarks that need a QApplication: off-screen
// unless the caller chose a platform.

#include <cstdlib>

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
