#pragma once

// flite with one of its built-in voices, as a synthesizer for English.
// flite keeps global state (its error handler, the lexicon), so use it from
// one thread only.

#include <memory>
#include <string>

#include "speech/synthesizer.h"

namespace zembrot {

// The English voice the game speaks with.
inline constexpr const char* kFliteEnglishVoice = "cmu_us_rms";

// `voiceName` names a voice built into the program; any other name fails
// to start.
std::unique_ptr<Synthesizer> CreateFliteSynthesizer(std::string voiceName);

}  // namespace zembrot
