// The thread that calls the speech component (the GUI thread), prepared
// for speech by the frame at start and released at exit; the last release
// ends speech. Windows prepares it for COM instead (sapi_speech_server_win.cpp).

#include "speech/embedded_speech_server.h"
#include "speech/speech_server.h"

namespace zembrot {

namespace {

// espeak-ng needs nothing of the calling thread; the count only tells
// whether the frame has prepared it, as on Windows.
int initializations = 0;

// At exit the speech thread gets this long to end: a word being spoken
// stops within one block of samples. One held by a sound system that does
// not answer, or deep in the analysis of a very long word, is left behind,
// so that the program still ends soon after its window.
constexpr std::chrono::milliseconds kSpeechEndBound{500};

}  // namespace

bool InitializeSpeechThread() {
  ++initializations;
  return true;
}

void UninitializeSpeechThread(bool initialized) {
  if (!initialized || initializations == 0) return;
  if (--initializations == 0) EndSpeech(kSpeechEndBound);
}

bool SpeechThreadInitialized() { return initializations > 0; }

}  // namespace zembrot
