// A practice line of 10 MB ("apple," and Chinese text) must cost no more
// than a frame (16 ms) wherever it is shown: a falling word (caption change
// with its measuring and repaint, and a repaint alone), the typed line, the
// hint refresh, and the layout of the game-over notice. Each benchmark
// reports its time per operation; the target is below 16 ms for each.

#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <benchmark/benchmark.h>

#include "app/main_window_layout.h"
#include "frame/application.h"
#include "frame/message_form_dialog.h"
#include "frame/timer.h"
#include "game/form1.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"
#include "widgets/zb_panel.h"

namespace {

using zembrot::TForm1;
using zembrot::TZbLabel;

// "中文" repeated: 10 MiB of GBK text.
std::string TenMegabyteChinese() {
  std::string text;
  text.reserve(10u << 20);
  while (text.size() < (10u << 20)) text += "\xD6\xD0\xCE\xC4";
  return text;
}

std::unique_ptr<TForm1> QuietMainWindow() {
  zembrot::SetErrorReporter([](const std::exception&) {});
  std::unique_ptr<TForm1> form = zembrot::CreateMainWindow();
  form->show();
  return form;
}

TZbLabel* FallingWord(TForm1& form, const std::string& caption) {
  auto* word = new TZbLabel(form.ZbPanel1);
  word->SetTransparent(true);
  word->Font().SetSize(20);
  word->Font().SetName("\xCB\xCE\xCC\xE5");  // 宋体
  word->SetCaption(caption);
  word->SetHint("apple");
  return word;
}

// A new 10 MB caption on a falling word: compare, measure, repaint at once.
void BM_FallingWordCaptionChange(benchmark::State& state) {
  const std::unique_ptr<TForm1> form = QuietMainWindow();
  const std::string first = TenMegabyteChinese();
  std::string second = first;
  second.back() = 'x';
  TZbLabel* word = FallingWord(*form, first);
  bool flip = false;
  for (auto _ : state) {
    word->SetCaption(flip ? first : second);
    flip = !flip;
  }
}
BENCHMARK(BM_FallingWordCaptionChange)->Unit(benchmark::kMillisecond);

// Repainting the word as the fall tick and the blink do.
void BM_FallingWordRepaint(benchmark::State& state) {
  const std::unique_ptr<TForm1> form = QuietMainWindow();
  TZbLabel* word = FallingWord(*form, TenMegabyteChinese());
  for (auto _ : state) benchmark::DoNotOptimize(word->grab());
}
BENCHMARK(BM_FallingWordRepaint)->Unit(benchmark::kMillisecond);

// The typed line holding the whole text, then one more byte.
void BM_TypedLineCaptionChange(benchmark::State& state) {
  const std::unique_ptr<TForm1> form = QuietMainWindow();
  const std::string text = TenMegabyteChinese();
  const std::string longer = text + "a";
  bool flip = false;
  for (auto _ : state) {
    form->ZbLabel1->SetCaption(flip ? text : longer);
    flip = !flip;
  }
}
BENCHMARK(BM_TypedLineCaptionChange)->Unit(benchmark::kMillisecond);

// One hint refresh for a 10 MB word: a fresh masked hint, and the blink
// pass that finds the word on the unmasked line.
void BM_HintRefresh(benchmark::State& state) {
  const std::unique_ptr<TForm1> form = QuietMainWindow();
  form->CheckBox1->SetChecked(true);
  form->WordSlots[0] = FallingWord(*form, TenMegabyteChinese());
  form->TopSlot = 0;
  for (auto _ : state) {
    form->CheckBox1->SetCaption("");
    form->UpdateHint();                       // masked hint
    form->Timer2Timer(form->Timer2);          // unmasked
    form->UpdateHint();                       // the word is found: it blinks
  }
  state.counters["refreshes"] = benchmark::Counter(2, benchmark::Counter::kIsIterationInvariant);
}
BENCHMARK(BM_HintRefresh)->Unit(benchmark::kMillisecond);

// The game-over notice's layout with the 10 MB line in its list.
void BM_GameOverNoticeLayout(benchmark::State& state) {
  const std::string text = "Game over\rapple," + TenMegabyteChinese() + "\r\n";
  const int halfScreen = QGuiApplication::primaryScreen()->geometry().width() / 2;
  for (auto _ : state) {
    const zembrot::TMessageForm notice("Zembrot", text, halfScreen);
    benchmark::DoNotOptimize(notice.height());
  }
}
BENCHMARK(BM_GameOverNoticeLayout)->Unit(benchmark::kMillisecond);

}  // namespace
