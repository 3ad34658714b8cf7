#pragma once

// The one audio path of both engines: 16-bit mono samples played on the
// speech thread. The program plays through pcaudiolib (PulseAudio when its
// server runs, else ALSA), the sound library espeak-ng itself was built on;
// tests put a stand-in in its place. Writing blocks while the device plays,
// so a request is done when its sound has been heard.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "speech/synthesizer.h"

namespace zembrot {

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;

  // Opens `device` (empty: the default device) for samples at `sampleRate`,
  // so that a missing device shows at once rather than at the first word.
  virtual EngineResult Open(const std::string& device, int sampleRate) = 0;

  // Plays one block; a block at another rate reopens the device at that
  // rate once what was playing has been heard.
  virtual EngineResult Play(const short* samples, std::size_t count, int sampleRate) = 0;
  // Waits until everything written has been heard.
  virtual void Drain() = 0;
  // Drops what was written and not heard yet.
  virtual void Flush() = 0;
};

using AudioOutputFactory = std::function<std::unique_ptr<AudioOutput>()>;

// The sound library's output. Use it from one thread only. Destroying it
// drops what has not been heard.
std::unique_ptr<AudioOutput> CreateSoundLibraryOutput();

}  // namespace zembrot
