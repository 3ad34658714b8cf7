#pragma once

// The side effects the game reaches through one seam: dice, the blocking
// pause, the notice dialog, the open dialog, the speech engine, the clock
// and a yes-or-no question. The
// program uses the real ones; a test installs fakes that record calls.

#include <cstdint>
#include <memory>
#include <string>

namespace zembrot {

class SpeechServer;
class TOpenDialog;

class Services {
 public:
  virtual ~Services() = default;

  // Reseeds the program's random generator from the high-resolution counter.
  virtual void Randomize() = 0;
  // Uniform draw from 0..range-1.
  virtual int Random(int range) = 0;
  // Blocks the GUI thread; no messages run meanwhile.
  virtual void Sleep(int milliseconds) = 0;
  // The modal notice dialog; returns when the player has closed it.
  virtual void ShowNotice(const std::string& text) = 0;
  // Runs the file-open dialog; true when the player chose a file.
  virtual bool ExecuteOpenDialog(TOpenDialog& dialog) = 0;
  // The speech server that a new speech component connects to.
  virtual std::shared_ptr<SpeechServer> CreateSpeechServer() = 0;
  // The wall clock in milliseconds since 1970 UTC, for the learning record.
  virtual std::int64_t NowMs();
  // Asks a question with Yes and No in the modal message box; true for Yes.
  virtual bool Confirm(const std::string& text);
};

// The services in force: the real ones unless a test installed others.
Services& CurrentServices();
// Installs `services` (not owned); nullptr restores the real ones.
void InstallServices(Services* services);

}  // namespace zembrot
