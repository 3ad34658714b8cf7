// The real engines playing to a stand-in for the sound library, which can
// be told not to answer: nothing it does holds the caller for long, a text
// being spoken stops at once when speech ends, and the end is bounded.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "base/errors.h"
#include "speech/embedded_speech_server.h"
#include "speech/sp_voice.h"

namespace zembrot {
namespace {

using std::chrono::milliseconds;

constexpr auto kWatchdog = std::chrono::seconds(30);
const std::u16string kPrefix = u" <LANG   LANGID= \"409 \"> ";

// What the test and the stand-in outputs share.
struct OutputState {
  std::mutex mutex;
  std::condition_variable changed;
  bool holdOpen = false;     // Open waits until released
  bool openFails = false;    // how a released Open answers
  int opens = 0;             // Open calls begun
  int opensAnswered = 0;
  double speed = 1;          // how much faster than real time blocks play
  std::size_t samples = 0;   // samples played
  int flushes = 0;
  int outputsLeft = 0;       // outputs made and not destroyed yet

  void Release(bool fails) {
    const std::lock_guard lock(mutex);
    holdOpen = false;
    openFails = fails;
    changed.notify_all();
  }
  template <typename Predicate>
  bool WaitFor(Predicate predicate) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, kWatchdog, predicate);
  }
};

class StandInOutput final : public AudioOutput {
 public:
  explicit StandInOutput(std::shared_ptr<OutputState> state) : state_(std::move(state)) {
    const std::lock_guard lock(state_->mutex);
    ++state_->outputsLeft;
  }
  ~StandInOutput() override {
    const std::lock_guard lock(state_->mutex);
    --state_->outputsLeft;
    state_->changed.notify_all();
  }
  StandInOutput(const StandInOutput&) = delete;
  StandInOutput& operator=(const StandInOutput&) = delete;

  EngineResult Open(const std::string& /*device*/, int /*sampleRate*/) override {
    std::unique_lock lock(state_->mutex);
    ++state_->opens;
    state_->changed.notify_all();
    state_->changed.wait(lock, [this] { return !state_->holdOpen; });
    ++state_->opensAnswered;
    state_->changed.notify_all();
    if (state_->openFails) return {AUDIO_OUTPUT_FAILED_RESULT, "Cannot open the audio output: stand-in refused"};
    return {};
  }

  EngineResult Play(const short* /*samples*/, std::size_t count, int sampleRate) override {
    double speed = 1;
    {
      const std::lock_guard lock(state_->mutex);
      state_->samples += count;
      speed = state_->speed;
      state_->changed.notify_all();
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(static_cast<double>(count) / sampleRate / speed));
    return {};
  }

  void Drain() override {}
  void Flush() override {
    const std::lock_guard lock(state_->mutex);
    ++state_->flushes;
  }

 private:
  std::shared_ptr<OutputState> state_;
};

AudioOutputFactory StandIns(const std::shared_ptr<OutputState>& state) {
  return [state] { return std::make_unique<StandInOutput>(state); };
}

// Runs `call` on another thread, so that a call that waited for ever fails
// the test instead of hanging it.
template <typename Call>
auto Within(Call call) {
  auto answer = std::async(std::launch::async, call);
  if (answer.wait_for(kWatchdog) != std::future_status::ready) {
    ADD_FAILURE() << "the call waited for ever";
    std::abort();  // the thread cannot be taken back
  }
  return answer.get();
}

// The error's message, empty when the Speak succeeded.
std::string SpeakWithin(TSpVoice& voice, const std::u16string& text, HResult* code = nullptr) {
  return Within([&] {
    try {
      voice.Speak(text, 1);
    } catch (const EOleSysError& error) {
      if (code != nullptr) *code = error.ErrorCode();
      return error.Message();
    }
    return std::string();
  });
}

bool EndWithin(milliseconds bound) {
  return Within([bound] { return EndSpeech(bound); });
}

const std::string kNoAnswer = "Cannot open the audio output: the sound system does not answer";

// The sound system answers the first connection at last, after its
// deadline: with the output open, or refusing it. Either way a later word
// is spoken, on that output or on one it opens afresh.
TEST(NoAnswerTest, ConnectionFailsByItsDeadlineAndALaterWordTriesAgain) {
  const struct {
    const char* what;
    bool openFails;  // how the sound system answers at last
    int opensAfter;  // Open calls once a later word has connected
  } cases[] = {{"opens at last", false, 1}, {"fails at last", true, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto state = std::make_shared<OutputState>();
    state->holdOpen = true;
    state->speed = 50;
    TSpVoice voice(CreateEmbeddedSpeechServer({}, StandIns(state)));

    HResult code = 0;
    EXPECT_EQ(SpeakWithin(voice, kPrefix + u"apple", &code), kNoAnswer);
    EXPECT_EQ(code, SPEECH_NO_ANSWER_RESULT);
    EXPECT_FALSE(voice.Connected());
    // While that connection still waits, a word does not queue behind it.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SpeakWithin(voice, kPrefix + u"pear"), kNoAnswer);
    EXPECT_LT(std::chrono::steady_clock::now() - start, kAudioOutputDeadline) << "the second word waited again";
    EXPECT_EQ(state->opens, 1);

    state->Release(c.openFails);
    ASSERT_TRUE(state->WaitFor([&] { return state->opensAnswered == 1; }));
    state->Release(false);  // whatever comes next answers at once
    std::string error = kNoAnswer;
    for (int tries = 0; tries < 1000 && error == kNoAnswer; ++tries) {
      error = SpeakWithin(voice, kPrefix + u"tea");
      if (error == kNoAnswer) std::this_thread::sleep_for(milliseconds(10));
    }
    EXPECT_EQ(error, "");
    EXPECT_TRUE(voice.Connected());
    WaitUntilSpeechDone();
    EXPECT_EQ(state->opens, c.opensAfter);
    EXPECT_GT(state->samples, 1000u) << "the later word was not played";
    EXPECT_TRUE(EndWithin(milliseconds(5000)));
  }
}

std::u16string LongText() {
  std::u16string text = kPrefix;
  for (int i = 0; i < 8; ++i) text += u"apple banana cherry date elderberry fig grape, ";
  return text;
}

// Ending speech as the program does at exit (UninitializeSpeechThread)
// is the end-to-end tests' part: the window closed while a long word is
// spoken.
TEST(StopTest, TextBeingSpokenStopsAtOnceWhenSpeechEnds) {
  const std::size_t whole = SynthesizeToMemory(LongText()).samples.size();
  ASSERT_GT(whole, 16000u * 10) << "the text should take ten seconds to say";
  auto state = std::make_shared<OutputState>();
  state->speed = 4;
  {
    TSpVoice voice(CreateEmbeddedSpeechServer({}, StandIns(state)));
    EXPECT_EQ(SpeakWithin(voice, LongText()), "");
  }
  // One second of it heard: the rest takes a good while yet.
  ASSERT_TRUE(state->WaitFor([&] { return state->samples >= 16000; }));
  EXPECT_TRUE(EndWithin(milliseconds(2000))) << "the speech thread did not end in time";
  const std::lock_guard lock(state->mutex);
  EXPECT_LT(state->samples, whole / 2) << "the text was played on after the end";
  EXPECT_EQ(state->flushes, 1) << "what was not heard yet is dropped";
  EXPECT_EQ(state->outputsLeft, 0) << "the output is closed";
}

TEST(SpeechEndTest, EndIsBoundedWhenTheSoundSystemDoesNotAnswer) {
  auto held = std::make_shared<OutputState>();
  held->holdOpen = true;
  {
    TSpVoice voice(CreateEmbeddedSpeechServer({}, StandIns(held)));
    EXPECT_EQ(SpeakWithin(voice, kPrefix + u"apple"), kNoAnswer);
  }
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(EndWithin(milliseconds(300))) << "the speech thread cannot have ended";
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));

  // What comes after starts afresh, whatever became of the thread left behind.
  held->Release(false);
  auto state = std::make_shared<OutputState>();
  state->speed = 50;
  TSpVoice voice(CreateEmbeddedSpeechServer({}, StandIns(state)));
  EXPECT_EQ(SpeakWithin(voice, kPrefix + u"pear"), "");
  WaitUntilSpeechDone();
  EXPECT_GT(state->samples, 1000u);
  EXPECT_TRUE(EndWithin(milliseconds(5000)));
}

}  // namespace
}  // namespace zembrot
