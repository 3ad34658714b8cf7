#pragma once

// TApplication: the program's frame. It holds the title derived from the
// executable's file name, runs the main loop, and reports every error that
// escapes a handler.

#include <exception>
#include <functional>
#include <memory>
#include <string>

class QApplication;
class QWidget;

namespace zembrot {

class TForm;

class TApplication {
 public:
  // Creates the Qt application (or shares the one that exists) and prepares
  // the GUI thread for the speech engine; the title comes from the
  // executable's file name. Create it before the main window, so that it is
  // destroyed after it.
  TApplication(int& argc, char** argv);
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  static TApplication* Instance();

  // Code-page bytes.
  const std::string& Title() const { return title_; }
  void SetTitleFromExecutable(const std::string& executablePath);

  // Shows the main form centred on the screen and runs the main loop until
  // it is closed. Returns the exit code.
  int Run(TForm& mainForm);

  // Shows an error that escaped a handler: silent for EAbort, otherwise a
  // stop-icon message box captioned with the title.
  void ReportError(const std::exception& error);

 private:
  std::unique_ptr<QApplication> qtApplication_;
  std::string title_;
  // The GUI thread is prepared for the speech engine from the start until
  // this object goes, which is after the main window and its speech
  // component have been destroyed: they still release engine objects then.
  bool speechThreadReady_ = false;
};

// The title rule: the file name after the last separator, cut at its first
// ".", every character but the first lower-cased. "SPELL.EXE" -> "Spell".
std::string TitleFromExecutablePath(const std::string& path);

// The full-stop rule of the error report: append "." when the text is not
// empty and its last character compares above ".".
std::string WithFullStop(const std::string& message);

// Runs a game handler; an error escaping it goes to the error report.
// Every entry point into game code (tick, key, click, menu command, the
// creation handler) goes through here.
void RunGuarded(const std::function<void()>& handler);
// The same for a handler that can fail again while its own error box is
// open (a timer ticks inside the box's loop): such repeats are dropped, one
// box per source at a time; failures of other sources still show.
void RunGuarded(const void* source, const std::function<void()>& handler);

// Replaceable error report, for tests; the default calls
// TApplication::ReportError (or writes to stderr with no application). An
// empty reporter restores the default.
using ErrorReporter = std::function<void(const std::exception& error)>;
void SetErrorReporter(ErrorReporter reporter);

// Handles every waiting message, nested in the caller, then returns.
void PumpPendingMessages();

// Paints the control (and, for a transparent one, its parent's background
// under it) before returning.
void RepaintNow(QWidget* control);

}  // namespace zembrot
