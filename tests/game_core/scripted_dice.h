#pragma once

// Dice that hand out scripted draws and check the range of each.

#include <deque>
#include <utility>

#include <gtest/gtest.h>

#include "game/core/dice.h"

namespace zembrot::game::testing {

class ScriptedDice final : public Dice {
 public:
  // Each pair: the range the rule must ask for, and the draw it gets.
  explicit ScriptedDice(std::deque<std::pair<int, int>> draws) : draws_(std::move(draws)) {}
  ~ScriptedDice() override { EXPECT_TRUE(draws_.empty()) << draws_.size() << " scripted draws left over"; }
  int Draw(int range) override {
    if (draws_.empty()) {
      ADD_FAILURE() << "unexpected draw from 0.." << range - 1;
      return 0;
    }
    const auto [expected, value] = draws_.front();
    draws_.pop_front();
    EXPECT_EQ(range, expected);
    return value;
  }

 private:
  std::deque<std::pair<int, int>> draws_;
};

}  // namespace zembrot::game::testing
