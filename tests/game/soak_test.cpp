// A long random game: ticks, typing, Enter, starts and stops, menu commands,
// with the slot invariants checked after every tick.

#include <cstdio>
#include <functional>
#include <random>

#include "content/string_list.h"
#include "frame/menu.h"
#include "frame/timer.h"
#include "game_fixture.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"
#include "widgets/zb_panel.h"

namespace zembrot::testing {
namespace {

class SoakTest : public GameTest {
 protected:
  std::vector<std::string> DefaultPracticeLines() const override {
    return {"apple,苹果", "pear,梨", "tea,茶", "rice,米饭", "milk,牛奶", "bread", "egg,蛋;黄"};
  }
};

TEST_F(SoakTest, HundredThousandTicksKeepTheSlotsInBounds) {
  constexpr int kTicks = 100000;
  services_.DrawFreely(20240601);
  std::mt19937 player(7);
  auto chance = [&player](int percent) { return static_cast<int>(player() % 100) < percent; };
  // The notices are modal loops: ticks run inside them, in the middle of a
  // match or of a spawn, and may take the celebrated word off the field.
  int nestedTicks = 0;
  services_.onNotice = [&](const std::string&) {
    if (chance(50)) {
      ++nestedTicks;
      Tick();
    }
  };
  form_->CheckBox1->SetChecked(true);
  ClickStart();

  // What the player does between two ticks. Half the time it waits in the
  // queue and runs inside the next tick's pump, as in the real program,
  // sometimes together with a fall tick that came due meanwhile.
  auto play = [&] {
    if (chance(30)) Key(static_cast<char>('a' + player() % 26));
    if (chance(3)) Key(8);
    if (chance(20)) {
      // Aim at a visited word now and then, so that matches happen.
      const int slot = static_cast<int>(player() % 5);
      if (const TZbLabel* word = form_->WordSlots[static_cast<std::size_t>(slot)]; word != nullptr) {
        form_->TypedText.clear();
        for (const char byte : player() % 2 == 0 ? word->Hint() : word->Caption()) Key(byte);
      }
      Enter();
    }
    if (chance(1)) ClickStart();
    if (chance(1)) form_->N2->Click();
    if (chance(1)) form_->N4->Click();
    if (chance(5)) form_->Timer3Timer(form_->Timer3);
    if (chance(2)) form_->Timer2Timer(form_->Timer2);
  };
  int pumpedTicks = 0;
  auto queue = [this](const std::function<void()>& action) {
    QMetaObject::invokeMethod(form_.get(), action, Qt::QueuedConnection);
  };

  for (int tick = 0; tick < kTicks; ++tick) {
    if (chance(50)) {
      play();
    } else {
      queue(play);
    }
    if (chance(5)) {
      queue([&] {
        ++pumpedTicks;
        Tick();
      });
    }
    // The player loads a fresh list now and then, as after a game over.
    if (tick % 300 == 299 && form_->PracticeList->LineCount() < 2) SetPracticeLines(DefaultPracticeLines());

    Tick();

    ASSERT_GE(form_->TopSlot, -1) << "tick " << tick;
    ASSERT_LE(form_->TopSlot, 4) << "tick " << tick;
    ASSERT_LE(WordCount(), 5) << "tick " << tick;
    for (std::size_t slot = 5; slot < form_->WordSlots.size(); ++slot) {
      ASSERT_EQ(form_->WordSlots[slot], nullptr) << "tick " << tick;
    }
    ASSERT_EQ(static_cast<int>(form_->ZbPanel1->findChildren<TZbLabel*>().size()), WordCount()) << "tick " << tick;
  }
  // The game was really played: words matched, missed and spawned.
  EXPECT_GT(speech_->SpeakCalls(), 2000);
  EXPECT_GT(services_.drawRanges.size(), static_cast<std::size_t>(kTicks));
  EXPECT_GT(form_->TallyList->LineCount(), 0);
  EXPECT_GT(nestedTicks, 100);
  EXPECT_GT(pumpedTicks, 1000);
  std::printf("score %d, matches %d, notices %zu, ticks in notices %d, in pumps %d, draws %zu, interval %u\n",
              form_->Score, speech_->SpeakCalls(), services_.notices.size(), nestedTicks, pumpedTicks,
              services_.drawRanges.size(),
              form_->Timer1->Interval());
  EXPECT_GE(form_->Timer1->Interval(), 1u);
}

}  // namespace
}  // namespace zembrot::testing
