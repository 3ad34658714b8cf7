// Typed input: the typed-text line, Enter, and the celebration of a match.

#include <exception>
#include <string>

#include <QPointer>

#include "base/code_page.h"
#include "base/errors.h"
#include "frame/application.h"
#include "frame/services.h"
#include "frame/timer.h"
#include "game/core/match.h"
#include "game/form1.h"
#include "speech/sp_voice.h"
#include "widgets/colors.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"

namespace zembrot {

void TForm1::FormKeyPress(QObject* /*Sender*/, char& Key) {
  switch (game::RoleOfKey(Key)) {
    case game::KeyRole::Erase:
      if (!TypedText.empty()) TypedText.pop_back();
      ZbLabel1->SetCaption(TypedText);
      return;
    case game::KeyRole::Append:
      TypedText += Key;
      ZbLabel1->SetCaption(TypedText);
      return;
    case game::KeyRole::Submit:
      CheckBox1->SetCaption(HintText);
      ZbLabel1->SetCaption(std::string());
      MatchTypedText();
      TypedText.clear();
      ReportSpeechFailure();
      return;
  }
}

void TForm1::MatchTypedText() {
  const int last = TopSlot.LoopBound();
  for (int i = 0; i <= last; ++i) {
    const TZbLabel* word = WordSlots[i];
    if (word == nullptr) continue;
    // Several words may match one Enter; each gets its own celebration.
    if (game::Matches(TypedText, word->Hint(), word->Caption())) CelebrateAndScore(i);
  }
}

void TForm1::CelebrateAndScore(int slot) {
  Services& services = CurrentServices();
  // The dialogs below run nested loops whose ticks may move this word off
  // the field; the guard tells whether it is still there afterwards.
  QPointer<TZbLabel> word = WordSlots[slot];
  Timer2->SetEnabled(false);
  word->Font().SetSize(game::kCelebrationFontSize);
  const int red = services.Random(game::kColourRange);
  const int green = services.Random(game::kColourRange);
  const int blue = services.Random(game::kColourRange);
  word->Font().SetColor(RGB(red, green, blue));
  const std::string displayed = word->Caption();
  const std::string hint = word->Hint();
  word->SetCaption(displayed + hint);
  if (word->Left() != game::CelebrationLeft(word->Left())) word->SetLeft(game::CelebrationLeft(word->Left()));
  // The pause below blocks painting: show the new look now.
  RepaintNow(word);
  SpeakTypedText();
  ++Score;
  LogMatch(slot, displayed);
  services.Sleep(game::kPauseAfterMatch);
  TallyWord(displayed, hint);
  if (word != nullptr && WordSlots[slot] == word) RemoveWord(slot);
  Timer1->SetInterval(game::IntervalAfterMatch(Timer1->Interval()));
  UpdateHint();
}

// A machine without a working speech engine still plays, silently: the
// match goes on, and the player hears about the failure once per run.
void TForm1::SpeakTypedText() {
  try {
    SpVoice1->Speak(CodePageToUtf16(std::string(game::kSpeechPrefix) + TypedText), game::kSpeakAsynchronously);
  } catch (const Exception&) {
    if (!speechFailureReported_) {
      speechFailureReported_ = true;
      pendingSpeechFailure_ = std::current_exception();
    }
  }
}

// Reported once the whole Enter is done, so that the error box does not
// hold up the score and the removal of the words.
void TForm1::ReportSpeechFailure() {
  if (pendingSpeechFailure_ == nullptr) return;
  const std::exception_ptr failure = pendingSpeechFailure_;
  pendingSpeechFailure_ = nullptr;
  RunGuarded([failure] { std::rethrow_exception(failure); });
}

}  // namespace zembrot
