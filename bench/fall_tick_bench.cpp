// Cost of one fall tick with five falling words, without painting: the main
// window is built but never shown.

#include <array>
#include <cstdlib>
#include <exception>

#include <QApplication>

#include <benchmark/benchmark.h>

#include "app/main_window_layout.h"
#include "base/code_page.h"
#include "content/string_list.h"
#include "frame/application.h"
#include "frame/timer.h"
#include "game/form1.h"
#include "widgets/zb_label.h"
#include "widgets/zb_panel.h"

namespace {

using zembrot::TForm1;
using zembrot::TZbLabel;

constexpr std::array<int, 5> kLefts{0, 170, 340, 510, 680};
constexpr std::array<int, 5> kTops{0, 25, 50, 75, 100};

void PutWordsBackAtTheTop(TForm1& form) {
  for (std::size_t slot = 0; slot < kTops.size(); ++slot) form.WordSlots[slot]->SetTop(kTops[slot]);
}

void BM_FallTickWithFiveWords(benchmark::State& state) {
  // A missing default list is no concern here.
  zembrot::SetErrorReporter([](const std::exception&) {});
  std::unique_ptr<TForm1> form = zembrot::CreateMainWindow();
  zembrot::SetErrorReporter(nullptr);
  form->PracticeList->SplitIntoLines(zembrot::Utf8ToCodePage("apple,苹果\r\npear,梨\r\n"));

  for (std::size_t slot = 0; slot < kLefts.size(); ++slot) {
    auto* word = new TZbLabel(form->ZbPanel1);
    word->SetCaption(zembrot::Utf8ToCodePage("苹果"));
    word->SetHint("apple");
    word->SetLeft(kLefts[slot]);
    word->Font().SetSize(20);
    word->SetTransparent(true);
    word->show();
    form->WordSlots[slot] = word;
  }
  form->TopSlot = 4;  // five words: the spawn gate stays shut
  PutWordsBackAtTheTop(*form);

  for (auto _ : state) {
    form->Timer1Timer(form->Timer1);
    // A crowded word falls at most 29 px a tick, so from 300 none can leave
    // in the next tick. Putting the words back is rare and cheap enough to
    // stay on the clock.
    for (const TZbLabel* word : form->WordSlots) {
      if (word != nullptr && word->Top() > 300) {
        PutWordsBackAtTheTop(*form);
        break;
      }
    }
  }
  if (form->TopSlot != 4 || form->Score != 0) state.SkipWithError("a word left the field");
}
BENCHMARK(BM_FallTickWithFiveWords);

}  // namespace
