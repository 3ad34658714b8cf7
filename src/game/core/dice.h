#pragma once

// The dice the rules draw from. The window passes the program's random
// generator; a test scripts the draws it expects.

namespace zembrot::game {

class Dice {
 public:
  virtual ~Dice() = default;
  // A uniform draw from 0..range-1.
  virtual int Draw(int range) = 0;
};

}  // namespace zembrot::game
