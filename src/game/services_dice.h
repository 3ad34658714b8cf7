#pragma once

// The program's random generator, reached through the services seam, as
// the dice the game's rules draw from.

#include "frame/services.h"
#include "game/core/dice.h"

namespace zembrot {

class ServicesDice final : public game::Dice {
 public:
  explicit ServicesDice(Services& services) : services_(services) {}
  int Draw(int range) override { return services_.Random(range); }

 private:
  Services& services_;
};

}  // namespace zembrot
