#pragma once

// The one audio path of both engines: 16-bit mono samples played through
// pcaudiolib (PulseAudio when its server runs, else ALSA), the sound
// library espeak-ng itself was built on. Use it from one thread only.
// Writing blocks while the device plays, so a request is done when its
// sound has been heard.

#include <cstddef>
#include <string>

#include "speech/synthesizer.h"

struct audio_object;

namespace zembrot {

class AudioOutput {
 public:
  AudioOutput() = default;
  ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // Opens `device` (empty: the default device) for samples at `sampleRate`,
  // so that a missing device shows at once rather than at the first word.
  EngineResult Open(const std::string& device, int sampleRate);
  bool IsOpen() const { return openRate_ != 0; }

  // Plays one block; a block at another rate reopens the device at that
  // rate once what was playing has been heard.
  EngineResult Play(const short* samples, std::size_t count, int sampleRate);
  // Waits until everything written has been heard.
  void Drain();

 private:
  EngineResult OpenAtRate(int sampleRate);
  EngineResult Failure(int error) const;

  audio_object* device_ = nullptr;
  int openRate_ = 0;
};

}  // namespace zembrot
