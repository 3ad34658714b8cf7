#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "speech/speech_engines.h"

namespace zembrot {

namespace {

std::atomic<const SpeechEngines*> loadedEngines{nullptr};

// The folders the dynamic loader looks in for the program's own libraries:
// its run path (set for programs in the build tree), LD_LIBRARY_PATH and
// the system's. The module is looked for there by us rather than by the
// loader, which would search the run path of whoever calls dlopen: under
// the sanitizers that is their run-time library, not the program.
std::vector<std::string> ProgramLibraryFolders() {
  std::vector<std::string> folders;
  void* program = ::dlopen(nullptr, RTLD_LAZY);
  if (program == nullptr) return folders;
  Dl_serinfo size{};
  if (::dlinfo(program, RTLD_DI_SERINFOSIZE, &size) == 0 && size.dls_size > 0) {
    std::vector<std::max_align_t> storage(size.dls_size / sizeof(std::max_align_t) + 1);
    auto* info = reinterpret_cast<Dl_serinfo*>(storage.data());
    if (::dlinfo(program, RTLD_DI_SERINFOSIZE, info) == 0 && ::dlinfo(program, RTLD_DI_SERINFO, info) == 0) {
      for (unsigned int i = 0; i < info->dls_cnt; ++i) folders.emplace_back(info->dls_serpath[i].dls_name);
    }
  }
  ::dlclose(program);
  return folders;
}

// Where the module may lie, in order: beside the program, as it is
// installed; then in the program's library folders.
std::vector<std::string> ModuleCandidates() {
  std::vector<std::string> candidates;
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) candidates.push_back((program.parent_path() / ZEMBROT_SPEECH_ENGINES_FILE).string());
  for (const std::string& folder : ProgramLibraryFolders()) {
    candidates.push_back((std::filesystem::path(folder) / ZEMBROT_SPEECH_ENGINES_FILE).string());
  }
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
    ::dlclose(module);
    return {SPEECH_ENGINES_MISSING_RESULT, "Cannot load the speech engines: " + file + " is not the speech-engine module"};
  }
  engines = entry();
  return {};
}

EngineResult LoadSpeechEngines(const SpeechEngines*& engines) {
  engines = loadedEngines.load();
  if (engines != nullptr) return {};
  EngineResult result;
  bool found = false;
  for (const std::string& candidate : ModuleCandidates()) {
    // A module that is there but does not load says what it lacks (a
    // library, most likely); looking further would hide that.
    if (::access(candidate.c_str(), F_OK) != 0) continue;
    result = OpenSpeechEngineModule(candidate, engines);
    found = true;
    break;
  }
  // Nowhere to be seen: the loader's own search has the last word.
  if (!found) result = OpenSpeechEngineModule(ZEMBROT_SPEECH_ENGINES_FILE, engines);
  if (result.Failed()) {
    engines = nullptr;
    return result;
  }
  loadedEngines.store(engines);
  return result;
}

bool SpeechEnginesLoaded() { return loadedEngines.load() != nullptr; }

}  // namespace zembrot
