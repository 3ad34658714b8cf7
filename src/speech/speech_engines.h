#pragma once

// The engines and the sound library live in a module of their own
// (zembrot-speech-engines.so, beside the program), loaded when the first
// word is spoken: a game that speaks nothing maps none of their libraries.
// The module hands out one table of constructors.

#include <memory>
#include <string>

#include "speech/audio_output.h"
#include "speech/synthesizer.h"

namespace zembrot {

struct SpeechEngines {
  // flite with a voice built into the program (see flite_synthesizer.h).
  std::unique_ptr<Synthesizer> (*createFlite)(std::string voiceName);
  // espeak-ng with its data in `dataPath` (empty: the installed data).
  std::unique_ptr<Synthesizer> (*createEspeak)(std::string dataPath);
  // The sound library's output.
  std::unique_ptr<AudioOutput> (*createAudioOutput)();
};

// The function the module exports under this name returns its table.
inline constexpr const char* kSpeechEnginesEntry = "zembrot_speech_engines";
using SpeechEnginesEntry = const SpeechEngines* (*)();

// Loads the module on the first successful call and hands out its table;
// a failure says why (the module or a library it needs is missing) and is
// tried again on the next call. Call it from the speech thread.
EngineResult LoadSpeechEngines(const SpeechEngines*& engines);

// Loads the module from `file`, a path or a bare name for the dynamic loader
// to look up: one of the places LoadSpeechEngines tries.
EngineResult OpenSpeechEngineModule(const std::string& file, const SpeechEngines*& engines);

// True once the module has been loaded into this process.
bool SpeechEnginesLoaded();

}  // namespace zembrot
