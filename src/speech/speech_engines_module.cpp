// The entry of the speech-engine module: its table of constructors.

#include "speech/audio_output.h"
#include "speech/espeak_synthesizer.h"
#include "speech/flite_synthesizer.h"
#include "speech/speech_engines.h"

extern "C" __attribute__((visibility("default"))) const zembrot::SpeechEngines* zembrot_speech_engines() {
  static const zembrot::SpeechEngines engines{&zembrot::CreateFliteSynthesizer, &zembrot::CreateEspeakSynthesizer,
                                              &zembrot::CreateSoundLibraryOutput};
  return &engines;
}
