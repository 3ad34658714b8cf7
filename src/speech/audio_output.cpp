#include "speech/audio_output.h"

#include <pcaudiolib/audio.h>

namespace zembrot {

namespace {

constexpr const char* kWhat = "Cannot open the audio output";

class SoundLibraryOutput final : public AudioOutput {
 public:
  SoundLibraryOutput() = default;
  ~SoundLibraryOutput() override;
  SoundLibraryOutput(const SoundLibraryOutput&) = delete;
  SoundLibraryOutput& operator=(const SoundLibraryOutput&) = delete;

  EngineResult Open(const std::string& device, int sampleRate) override;
  EngineResult Play(const short* samples, std::size_t count, int sampleRate) override;
  void Drain() override;
  void Flush() override;

 private:
  EngineResult OpenAtRate(int sampleRate);
  EngineResult Failure(int error) const;

  audio_object* device_ = nullptr;
  int openRate_ = 0;
};

SoundLibraryOutput::~SoundLibraryOutput() {
  if (device_ == nullptr) return;
  if (openRate_ != 0) {
    audio_object_flush(device_);
    audio_object_close(device_);
  }
  audio_object_destroy(device_);
}

EngineResult SoundLibraryOutput::Open(const std::string& device, int sampleRate) {
  if (device_ == nullptr) {
    device_ = create_audio_device_object(device.empty() ? nullptr : device.c_str(), "Zembrot", "Zembrot");
    if (device_ == nullptr) return {AUDIO_OUTPUT_FAILED_RESULT, std::string(kWhat) + ": no sound system was found"};
  }
  EngineResult result = OpenAtRate(sampleRate);
  if (result.Failed()) {
    // Nothing is kept, so the next connection starts over.
    audio_object_destroy(device_);
    device_ = nullptr;
  }
  return result;
}

EngineResult SoundLibraryOutput::Play(const short* samples, std::size_t count, int sampleRate) {
  if (device_ == nullptr) return {AUDIO_OUTPUT_FAILED_RESULT, "The audio output is not open"};
  if (sampleRate != openRate_) {
    EngineResult result = OpenAtRate(sampleRate);
    if (result.Failed()) return result;
  }
  const int error = audio_object_write(device_, samples, count * sizeof(short));
  if (error == 0) return {};
  EngineResult result{AUDIO_OUTPUT_FAILED_RESULT, "Cannot play the speech: " + std::string(audio_object_strerror(device_, error))};
  // A sound server that went away leaves a dead stream: the next word
  // opens a new one.
  audio_object_close(device_);
  openRate_ = 0;
  return result;
}

void SoundLibraryOutput::Drain() {
  if (device_ != nullptr && openRate_ != 0) audio_object_drain(device_);
}

void SoundLibraryOutput::Flush() {
  if (device_ != nullptr && openRate_ != 0) audio_object_flush(device_);
}

EngineResult SoundLibraryOutput::OpenAtRate(int sampleRate) {
  if (openRate_ == sampleRate) return {};
  if (openRate_ != 0) {
    audio_object_drain(device_);
    audio_object_close(device_);
    openRate_ = 0;
  }
  const int error = audio_object_open(device_, AUDIO_OBJECT_FORMAT_S16LE, static_cast<std::uint32_t>(sampleRate), 1);
  if (error != 0) return Failure(error);
  openRate_ = sampleRate;
  return {};
}

EngineResult SoundLibraryOutput::Failure(int error) const {
  const char* reason = audio_object_strerror(device_, error);
  return {AUDIO_OUTPUT_FAILED_RESULT, std::string(kWhat) + ": " + (reason != nullptr && *reason != '\0' ? reason : "unknown error")};
}

}  // namespace

std::unique_ptr<AudioOutput> CreateSoundLibraryOutput() { return std::make_unique<SoundLibraryOutput>(); }

}  // namespace zembrot
