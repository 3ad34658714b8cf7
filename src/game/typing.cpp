// Typed input: the typed-text line, Enter, and the celebration of a match.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include <QPointer>

#include "base/code_page.h"
#include "base/convert.h"
#include "base/errors.h"
#include "frame/application.h"
#include "frame/services.h"
#include "frame/timer.h"
#include "game/form1.h"
#include "game/slots.h"
#include "speech/sp_voice.h"
#include "widgets/colors.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"

namespace zembrot {

namespace {

constexpr char kBackspace = 8;
constexpr char kEnter = 13;
constexpr int kCelebrationFontSize = 72;
constexpr int kColourRange = 255;  // each of red, green, blue from 0..254
constexpr int kCelebrationLeftLimit = 200;
constexpr int kPauseAfterMatch = 1000;
constexpr unsigned kMatchSpeedUpFloor = 80;
constexpr std::uint32_t kSpeakAsynchronously = 1;

// A language element naming US English (409), read by the speech engine.
constexpr std::string_view kSpeechPrefix = " <LANG   LANGID= \"409 \"> ";
static_assert(kSpeechPrefix.size() == 25);

// Equal after AsciiLower of both, without copying either: a practice line
// may be megabytes long, and most texts differ in length already.
bool SameIgnoringAsciiCase(std::string_view typed, std::string_view text) {
  if (typed.size() != text.size()) return false;
  const auto lower = [](char byte) { return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32) : byte; };
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (lower(typed[i]) != lower(text[i])) return false;
  }
  return true;
}

}  // namespace

void TForm1::FormKeyPress(QObject* /*Sender*/, char& Key) {
  if (Key == kBackspace) {
    // Bytes, not characters: a Chinese character loses its second byte only.
    if (!TypedText.empty()) TypedText.pop_back();
    ZbLabel1->SetCaption(TypedText);
    return;
  }
  if (Key != kEnter) {
    TypedText += Key;
    ZbLabel1->SetCaption(TypedText);
    return;
  }
  CheckBox1->SetCaption(HintText);
  ZbLabel1->SetCaption(std::string());
  MatchTypedText();
  TypedText.clear();
  ReportSpeechFailure();
}

void TForm1::MatchTypedText() {
  const int last = word_slots::LoopBound(TopSlot);
  for (int i = 0; i <= last; ++i) {
    const TZbLabel* word = WordSlots[i];
    if (word == nullptr) continue;
    // Several words may match one Enter; each gets its own celebration.
    if (SameIgnoringAsciiCase(TypedText, word->Hint()) || SameIgnoringAsciiCase(TypedText, word->Caption())) {
      CelebrateAndScore(i);
    }
  }
}

void TForm1::CelebrateAndScore(int slot) {
  Services& services = CurrentServices();
  // The dialogs below run nested loops whose ticks may move this word off
  // the field; the guard tells whether it is still there afterwards.
  QPointer<TZbLabel> word = WordSlots[slot];
  Timer2->SetEnabled(false);
  word->Font().SetSize(kCelebrationFontSize);
  const int red = services.Random(kColourRange);
  const int green = services.Random(kColourRange);
  const int blue = services.Random(kColourRange);
  word->Font().SetColor(RGB(red, green, blue));
  const std::string displayed = word->Caption();
  const std::string hint = word->Hint();
  word->SetCaption(displayed + hint);
  if (word->Left() > kCelebrationLeftLimit) word->SetLeft(kCelebrationLeftLimit);
  // The pause below blocks painting: show the new look now.
  RepaintNow(word);
  SpeakTypedText();
  ++Score;
  services.Sleep(kPauseAfterMatch);
  TallyWord(displayed, hint);
  if (word != nullptr && WordSlots[slot] == word) {
    DestroyWord(slot);
    --TopSlot;
  }
  const unsigned interval = Timer1->Interval();
  if (interval > kMatchSpeedUpFloor) Timer1->SetInterval(interval - 1);
  UpdateHint();
}

// A machine without a working speech engine still plays, silently: the
// match goes on, and the player hears about the failure once per run.
void TForm1::SpeakTypedText() {
  try {
    SpVoice1->Speak(CodePageToUtf16(std::string(kSpeechPrefix) + TypedText), kSpeakAsynchronously);
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
