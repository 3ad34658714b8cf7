#include "base/random.h"

#include <chrono>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zembrot {

int TRandomGenerator::Random(int range) {
  seed_ = seed_ * 134775813u + 1u;
  if (range <= 0) return 0;
  return static_cast<int>((static_cast<std::uint64_t>(seed_) * static_cast<std::uint32_t>(range)) >> 32);
}

void TRandomGenerator::Randomize() { seed_ = HighResolutionCounter(); }

std::uint32_t HighResolutionCounter() {
#ifdef _WIN32
  LARGE_INTEGER counter;
  if (QueryPerformanceCounter(&counter)) return static_cast<std::uint32_t>(counter.QuadPart);
  return GetTickCount();
#else
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
#endif
}

}  // namespace zembrot
