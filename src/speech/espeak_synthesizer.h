#pragma once

// espeak-ng, embedded, as a synthesizer: it speaks every language we have a
// voice for. The library keeps one engine per process, so create one of
// these per process and use it from one thread only.

#include <memory>
#include <string>

#include "speech/synthesizer.h"

namespace zembrot {

// `dataPath` is the directory holding espeak-ng-data; empty for the
// installed data.
std::unique_ptr<Synthesizer> CreateEspeakSynthesizer(std::string dataPath);

}  // namespace zembrot
