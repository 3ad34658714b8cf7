#pragma once

#include <cstdint>

namespace zembrot {

// The program's pseudo-random generator: a 32-bit linear congruential
// generator (multiplier 134775813, increment 1) whose draw below n is the
// high 32 bits of seed * n, so equal seeds give equal games.
class TRandomGenerator {
 public:
  void SetSeed(std::uint32_t seed) { seed_ = seed; }
  std::uint32_t Seed() const { return seed_; }

  // Uniform draw from 0..range-1; 0 when range is 0 or below.
  int Random(int range);

  // Reseeds from the high-resolution performance counter's low 32 bits.
  void Randomize();

 private:
  std::uint32_t seed_ = 0;
};

// Low 32 bits of the platform's high-resolution counter.
std::uint32_t HighResolutionCounter();

}  // namespace zembrot
