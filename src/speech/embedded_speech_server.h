#pragma once

// The engines embedded in the program: flite's cmu_us_rms voice speaks
// English, espeak-ng every other language and English too when flite cannot
// start. Both engines keep one state per process, so every server object
// shares them: "running object" means the engines are already set up for
// playback in this process, "new" means setting them up.
//
// Both run on one speech thread of ours and play through one audio output:
// Speak with flags 1 queues the text there and returns at once; the requests
// are spoken in order, none is dropped. Call it from the GUI thread only.
//
// The engines live in a module of their own, loaded at the first connection
// (speech_engines.h). The audio device is opened at connection and kept.
// When none can be opened, connecting fails with the reason, and the next
// connection tries again; the game reports that like any other speech
// failure. Only a server made with silentWithoutAudio (the tests' way of
// running without sound) connects anyway, synthesising the words and
// dropping them, with a line on stderr saying why.
//
// Nothing outside can hold the caller: a sound system that does not answer
// the connection within kAudioOutputDeadline fails it, and while that
// attempt still waits, a new connection fails at once instead of queueing
// behind it; once it is answered, the next connection finds the engines
// playing, or starts over. EndSpeech stops the word being spoken and gives
// the speech thread a bounded time to end.
//
// Besides playback the engines synthesise into memory, for the tests and the
// benchmark.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "speech/audio_output.h"
#include "speech/flite_synthesizer.h"
#include "speech/language_element.h"
#include "speech/speech_server.h"

namespace zembrot {

struct SpeechOptions {
  // Directory holding espeak-ng-data; empty for the installed data.
  std::string espeakDataPath;
  // flite's voice for English; empty speaks English with espeak-ng as well.
  std::string englishVoice = kFliteEnglishVoice;
  // Audio device name for the sound library; empty for the default device,
  // "null" for ALSA's silent device. The server that first connects sets
  // the device, and the voices, for the life of the process.
  std::string audioDevice;
  // When the audio device cannot be opened: false (the program's setting)
  // fails the connection with the reason, true plays silently.
  bool silentWithoutAudio = false;
};

// How long a connection waits for the sound system to open the output.
inline constexpr std::chrono::milliseconds kAudioOutputDeadline{1000};

std::shared_ptr<SpeechServer> CreateEmbeddedSpeechServer(SpeechOptions options = {});
// The same, playing through the outputs that `output` makes instead of the
// sound library's (one per connection): the tests' stand-ins.
std::shared_ptr<SpeechServer> CreateEmbeddedSpeechServer(SpeechOptions options, AudioOutputFactory output);

struct SynthesizedSound {
  std::vector<short> samples;  // mono, 16 bits
  int sampleRate = 0;          // samples per second
  SpeechEngineKind engine = SpeechEngineKind::Espeak;  // the engine that spoke
};

// Synthesises `text` (with or without the language element) into memory.
// Raises EOleSysError with the engine's reason when it cannot.
SynthesizedSound SynthesizeToMemory(std::u16string_view text, const SpeechOptions& options = {});

// Synthesises `text`, handing each block of samples to `onSamples` as it is
// produced; `onSamples` returns false to stop early. Returns the sample
// rate. Raises EOleSysError like SynthesizeToMemory.
int SynthesizeStreaming(std::u16string_view text, const std::function<bool(const short*, std::size_t)>& onSamples,
                        const SpeechOptions& options = {});

// Blocks until every queued request has been spoken.
void WaitUntilSpeechDone();

// True while a request is queued or being spoken.
bool SpeechPending();

// Stops the word being spoken and drops the requests still waiting, then
// lets the speech thread close the output and the engines and end, waiting
// no longer than `bound`. True when it ended in time. A thread held by a
// sound system that does not answer is left behind with everything it
// holds, so that the caller (the program, at exit) can go on. The next
// request starts the speech thread and the engines afresh.
bool EndSpeech(std::chrono::milliseconds bound);

// How the engines are connected to sound at the moment.
enum class SpeechOutput { NotStarted, Audio, Silent };
SpeechOutput CurrentSpeechOutput();

// The engine that spoke the last finished request of playback; empty before
// the first.
std::optional<SpeechEngineKind> LastSpeakingEngine();

}  // namespace zembrot
