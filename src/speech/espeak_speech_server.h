#pragma once

// The espeak-ng engine, embedded. The library keeps one engine per process,
// so every server object shares it: "running object" means the engine is
// already set up for playback in this process, "new" means setting it up.
//
// All of espeak-ng runs on one speech thread of ours: Speak with flags 1
// queues the text there and returns at once; the requests are spoken in
// order, none is dropped. Call it from the GUI thread only.
//
// espeak-ng opens the audio device on the speech thread and keeps it. When
// no audio device can be opened, connecting fails with the engine's reason,
// and the next connection tries again; the game reports that like any other
// speech failure. Only a server made with silentWithoutAudio (the tests'
// way of running without sound) connects anyway, synthesising the words and
// dropping them, with a line on stderr saying why.
//
// Besides playback the engine can synthesise into memory, for the tests and
// the benchmark. espeak-ng cannot leave the audio device once it holds it, so
// synthesis into memory is refused after playback has opened the device.

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
  // Audio device name for the sound library; empty for the default device,
  // "null" for ALSA's silent device. The engine keeps the device of the
  // server that first connected for the life of the process.
  std::string audioDevice;
  // When the audio device cannot be opened: false (the program's setting)
  // fails the connection with the reason, true plays silently.
  bool silentWithoutAudio = false;
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

// True while a request is queued or being spoken.
bool SpeechPending();

// How the engine is connected to sound at the moment.
enum class EspeakOutput { NotStarted, Audio, Silent };
EspeakOutput CurrentEspeakOutput();

}  // namespace zembrot
