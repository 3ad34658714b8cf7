#include "speech/speech_server.h"

namespace zembrot {

// espeak-ng needs nothing of the calling thread.
bool InitializeSpeechThread() { return true; }

void UninitializeSpeechThread(bool /*initialized*/) {}

}  // namespace zembrot
