#pragma once

// The espeak-ng engine, embedded. The library keeps one engine per process,
// so every server object shares it: "running object" means the engine is
// already set up for playback in this process, "new" means setting it up.
// Playback is asynchronous: Speak queues the text and returns, espeak-ng's
// own threads do the audio. Use it from the GUI thread only.
//
// Besides playback the engine can synthesise into memory, for the tests and
// the benchmark; that waits for queued speech to finish first.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "speech/speech_server.h"

namespace zembrot {

struct EspeakOptions {
  // Directory holding espeak-ng-data; empty for the installed data.
  std::string dataPath;
  // Audio device name for the sound library; empty for the default device.
  // espeak-ng keeps the device it opened first for the life of the process.
  std::string audioDevice;
};

std::shared_ptr<SpeechServer> CreateEspeakSpeechServer(EspeakOptions options = {});

struct SynthesizedSound {
  std::vector<short> samples;  // mono, 16 bits
  int sampleRate = 0;          // samples per second
};

// Synthesises `text` (with or without the language element) into memory.
// Raises EOleSysError with the engine's reason when it cannot.
SynthesizedSound SynthesizeToMemory(std::u16string_view text, const EspeakOptions& options = {});

// Synthesises `text`, handing each block of samples to `onSamples` as it is
// produced; `onSamples` returns false to stop early. Returns the sample
// rate. Raises EOleSysError like SynthesizeToMemory.
int SynthesizeStreaming(std::u16string_view text, const std::function<bool(const short*, std::size_t)>& onSamples,
                        const EspeakOptions& options = {});

// Blocks until every queued request has been spoken.
void WaitUntilSpeechDone();

}  // namespace zembrot
