// How soon the player hears a matched word: the time from asking the engine
// to speak a one-word text to its first synthesised sample, median over many
// words. The celebration shows for one second; the goal is under 50 ms.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "speech/espeak_speech_server.h"

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

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

void FirstSampleLatency(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> latencies;
  std::size_t next = 0;
  zembrot::SynthesizeToMemory(GameText("warm up"));  // loads the voice data once
  for (auto _ : state) {
    const std::u16string text = GameText(kWords[next++ % std::size(kWords)]);
    const Clock::time_point start = Clock::now();
    Clock::time_point first{};
    zembrot::SynthesizeStreaming(text, [&first](const short*, std::size_t) {
      first = Clock::now();
      return false;  // the first block is all we wait for
    });
    const double seconds = std::chrono::duration<double>(first - start).count();
    state.SetIterationTime(seconds);
    latencies.push_back(seconds * 1000);
  }
  state.counters["median_ms"] = Median(latencies);
  state.counters["max_ms"] = *std::max_element(latencies.begin(), latencies.end());
}
BENCHMARK(FirstSampleLatency)->UseManualTime()->Iterations(500)->Unit(benchmark::kMillisecond);

void WholeWordSynthesis(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    const zembrot::SynthesizedSound sound = zembrot::SynthesizeToMemory(GameText(kWords[next++ % std::size(kWords)]));
    benchmark::DoNotOptimize(sound.samples.data());
  }
}
BENCHMARK(WholeWordSynthesis)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
