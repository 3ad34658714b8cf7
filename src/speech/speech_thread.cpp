#include "speech/speech_server.h"

namespace zembrot {

namespace {

// espeak-ng needs nothing of the calling thread; the count only tells
// whether the frame has prepared it, as on Windows.
int initializations = 0;

}  // namespace

bool InitializeSpeechThread() {
  ++initializations;
  return true;
}

void UninitializeSpeechThread(bool initialized) {
  if (initialized && initializations > 0) --initializations;
}

bool SpeechThreadInitialized() { return initializations > 0; }

}  // namespace zembrot
