#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "speech/speech_engines.h"

namespace zembrot {

namespace {

std::atomic<const SpeechEngines*> loadedEngines{nullptr};

// Where the module is looked for, in order: beside the program, as it is
// installed; then by its bare name, which the dynamic loader looks up in
// the program's run path (set for programs in the build tree) and in
// LD_LIBRARY_PATH.
std::vector<std::string> ModuleCandidates() {
  std::vector<std::string> candidates;
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) candidates.push_back((program.parent_path() / ZEMBROT_SPEECH_ENGINES_FILE).string());
  candidates.emplace_back(ZEMBROT_SPEECH_ENGINES_FILE);
  return candidates;
}

}  // namespace

EngineResult OpenSpeechEngineModule(const std::string& file, const SpeechEngines*& engines) {
  // Never closed: the engines keep state for the life of the process.
  void* module = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const char* reason = ::dlerror();
    return {SPEECH_ENGINES_MISSING_RESULT,
            std::string("Cannot load the speech engines: ") + (reason != nullptr ? reason : file.c_str())};
  }
  const auto entry = reinterpret_cast<SpeechEnginesEntry>(::dlsym(module, kSpeechEnginesEntry));
  if (entry == nullptr) {
    return {SPEECH_ENGINES_MISSING_RESULT, "Cannot load the speech engines: " + file + " is not the speech-engine module"};
  }
  engines = entry();
  return {};
}

EngineResult LoadSpeechEngines(const SpeechEngines*& engines) {
  engines = loadedEngines.load();
  if (engines != nullptr) return {};
  EngineResult failure;
  for (const std::string& candidate : ModuleCandidates()) {
    failure = OpenSpeechEngineModule(candidate, engines);
    if (!failure.Failed()) {
      loadedEngines.store(engines);
      return failure;
    }
    // A module that is there but does not load says what it lacks (a
    // library, most likely); looking further would hide that.
    if (candidate.find('/') != std::string::npos && ::access(candidate.c_str(), F_OK) == 0) break;
  }
  engines = nullptr;
  return failure;
}

bool SpeechEnginesLoaded() { return loadedEngines.load() != nullptr; }

}  // namespace zembrot
