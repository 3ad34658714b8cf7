#pragma once

// What the embedded engines have in common: each turns UTF-8 text in one
// language into 16-bit mono samples and hands them on block by block. Where
// the samples go (the audio output, memory, a benchmark) is the caller's
// business, so both engines share one speech thread and one audio path.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "speech/speech_server.h"

namespace zembrot {

// Receives one block of samples; returns false to stop the synthesis.
using SampleConsumer = std::function<bool(const short*, std::size_t)>;

// The outcome of one engine step: success, or a code with a text that says
// what could not be done and why.
struct EngineResult {
  HResult code = S_OK_RESULT;
  std::string description;

  bool Failed() const { return code < 0; }
};

// Codes of our own for the engines' failures, in the interface-specific range.
constexpr HResult SPEECH_VOICE_MISSING_RESULT = static_cast<HResult>(0x80045101);
constexpr HResult SPEECH_SYNTHESIS_FAILED_RESULT = static_cast<HResult>(0x80045102);
constexpr HResult AUDIO_OUTPUT_FAILED_RESULT = static_cast<HResult>(0x80045103);
// A task of the speech thread, or the sound system behind it, did not
// answer within the time it was given.
constexpr HResult SPEECH_NO_ANSWER_RESULT = static_cast<HResult>(0x80045104);
// The module holding the engines, or a library it needs, could not be loaded.
constexpr HResult SPEECH_ENGINES_MISSING_RESULT = static_cast<HResult>(0x80045105);

class Synthesizer {
 public:
  virtual ~Synthesizer() = default;
  // Loads the voice data; a failure is tried again on the next call, a
  // success makes later calls free.
  virtual EngineResult Start() = 0;
  // The rate of the samples that Synthesize delivers, once started.
  virtual int SampleRate() const = 0;
  // Synthesises `utf8` in the language named by `languageId` (absent: the
  // engine's default), handing each block to `onSamples`. A consumer that
  // stops early is no failure. Call it only after a successful Start.
  virtual EngineResult Synthesize(const std::string& utf8, std::optional<std::uint32_t> languageId,
                                  const SampleConsumer& onSamples) = 0;
};

}  // namespace zembrot
