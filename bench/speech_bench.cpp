// How soon the player hears a matched word: the time from asking an engine
// to speak a one-word text to its first synthesised sample, median over many
// words, and the time to synthesise the whole word; and the first word of a
// process, which pays for loading the engines' module and the voice. Both engines: flite's
// English voice, which speaks the game's words, and espeak-ng, which speaks
// the other languages and English when flite cannot. The celebration shows
// for one second; the goal for the first sample is under 50 ms.

#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "speech/embedded_speech_server.h"
#include "speech/speech_engines.h"

namespace {

const char* const kWords[] = {
    "apple",  "pear",    "tea",    "rice",     "bread",   "noodle",  "orange", "banana", "cherry",  "grape",
    "lemon",  "melon",   "peach",  "tomato",   "potato",  "onion",   "garlic", "ginger", "pepper",  "salt",
    "sugar",  "butter",  "cheese", "milk",     "coffee",  "juice",   "water",  "soup",   "egg",     "chicken",
    "beef",   "pork",    "fish",   "shrimp",   "tofu",    "cabbage", "carrot", "spinach", "mushroom", "corn",
    "peanut", "walnut",  "honey",  "vinegar",  "sausage", "dumpling", "cake",  "cookie", "candy",   "chocolate",
};

std::u16string GameText(const char* word) {
  std::u16string text = u" <LANG   LANGID= \"409 \"> ";
  for (const char* c = word; *c != '\0'; ++c) text += static_cast<char16_t>(*c);
  return text;
}

// Argument 0: flite speaks English; 1: espeak-ng does.
zembrot::SpeechOptions EngineOptions(const benchmark::State& state) {
  zembrot::SpeechOptions options;
  if (state.range(0) == 1) options.englishVoice.clear();
  return options;
}

void NameEngine(benchmark::State& state, const zembrot::SpeechOptions& options) {
  const zembrot::SpeechEngineKind engine = zembrot::SynthesizeToMemory(GameText("warm up"), options).engine;
  state.SetLabel(engine == zembrot::SpeechEngineKind::Flite ? "flite cmu_us_rms" : "espeak-ng en-us");
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Each iteration forks a process in which nothing has spoken yet and times
// its first word to the first sample, loading the module included. Runs
// first: a process whose engines are loaded has a speech thread that a
// fork would not carry over.
void FirstWordOfAProcess(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  if (zembrot::SpeechEnginesLoaded()) {
    state.SkipWithError("the engines are loaded already: run this benchmark first");
    return;
  }
  std::vector<double> latencies;
  for (auto _ : state) {
    int channel[2];
    if (pipe(channel) != 0) {
      state.SkipWithError("no pipe");
      return;
    }
    const pid_t child = fork();
    if (child == 0) {
      close(channel[0]);
      const Clock::time_point start = Clock::now();
      double seconds = -1;
      zembrot::SynthesizeStreaming(GameText("apple"), [&](const short*, std::size_t) {
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        return false;
      });
      const ssize_t written = write(channel[1], &seconds, sizeof seconds);
      _exit(written == sizeof seconds ? 0 : 1);
    }
    close(channel[1]);
    double seconds = -1;
    const ssize_t got = read(channel[0], &seconds, sizeof seconds);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (got != sizeof seconds || seconds < 0) {
      state.SkipWithError("the child spoke no word");
      return;
    }
    state.SetIterationTime(seconds);
    latencies.push_back(seconds * 1000);
  }
  state.counters["median_ms"] = Median(latencies);
  state.counters["max_ms"] = *std::max_element(latencies.begin(), latencies.end());
}
BENCHMARK(FirstWordOfAProcess)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void FirstSampleLatency(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> latencies;
  std::size_t next = 0;
  const zembrot::SpeechOptions options = EngineOptions(state);
  NameEngine(state, options);  // loads the voice data once
  for (auto _ : state) {
    const std::u16string text = GameText(kWords[next++ % std::size(kWords)]);
    const Clock::time_point start = Clock::now();
    Clock::time_point first{};
    zembrot::SynthesizeStreaming(text, [&first](const short*, std::size_t) {
      first = Clock::now();
      return false;  // the first block is all we wait for
    }, options);
    const double seconds = std::chrono::duration<double>(first - start).count();
    state.SetIterationTime(seconds);
    latencies.push_back(seconds * 1000);
  }
  state.counters["median_ms"] = Median(latencies);
  state.counters["max_ms"] = *std::max_element(latencies.begin(), latencies.end());
}
BENCHMARK(FirstSampleLatency)->ArgName("espeak")->Arg(0)->Arg(1)->UseManualTime()->Iterations(500)->Unit(benchmark::kMillisecond);

void WholeWordSynthesis(benchmark::State& state) {
  const zembrot::SpeechOptions options = EngineOptions(state);
  NameEngine(state, options);
  std::size_t next = 0;
  double spokenSeconds = 0;
  for (auto _ : state) {
    const zembrot::SynthesizedSound sound =
        zembrot::SynthesizeToMemory(GameText(kWords[next++ % std::size(kWords)]), options);
    spokenSeconds += static_cast<double>(sound.samples.size()) / sound.sampleRate;
    benchmark::DoNotOptimize(sound.samples.data());
  }
  state.counters["spoken_ms_per_word"] =
      benchmark::Counter(spokenSeconds * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(WholeWordSynthesis)->ArgName("espeak")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
