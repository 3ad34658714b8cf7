#include "frame/application.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QString>
#include <QWidget>

#include "base/code_page.h"
#include "base/errors.h"
#include "frame/form.h"
#include "speech/speech_server.h"
#include "widgets/caption_text.h"

namespace zembrot {

namespace {

TApplication* currentApplication = nullptr;
ErrorReporter installedReporter;
// Sources whose error is on show right now.
std::vector<const void*> sourcesReporting;

// The title is read back from a window text of at most 255 bytes.
constexpr std::size_t kMaxTitleBytes = 255;

// Lower-cases one code-page character. Double-byte characters go through
// UTF-16 for the case mapping; a character that does not come back as one
// character of the same length is left as it is.
std::string LowerCaseCharacter(std::string_view character) {
  if (character.size() == 1) {
    const unsigned char byte = static_cast<unsigned char>(character[0]);
    if (byte >= 'A' && byte <= 'Z') return std::string(1, static_cast<char>(byte - 'A' + 'a'));
    return std::string(character);
  }
  const QString lower = CodePageToQString(character).toLower();
  std::string bytes = Utf16ToCodePage(lower.toStdU16String());
  if (bytes.size() != character.size() || bytes == "?" || bytes == "??") return std::string(character);
  return bytes;
}

// Default error report: the application's message box, or stderr when the
// program has no application object (tools, early start-up).
void DefaultReport(const std::exception& error) {
  if (currentApplication != nullptr) {
    currentApplication->ReportError(error);
    return;
  }
  if (dynamic_cast<const EAbort*>(&error) != nullptr) return;
  std::fprintf(stderr, "%s\n", WithFullStop(ErrorMessageOf(error)).c_str());
}

void Report(const std::exception& error, const void* source) {
  if (source != nullptr) {
    if (std::find(sourcesReporting.begin(), sourcesReporting.end(), source) != sourcesReporting.end()) return;
    sourcesReporting.push_back(source);
  }
  struct Done {
    const void* source;
    ~Done() {
      if (source == nullptr) return;
      sourcesReporting.erase(std::find(sourcesReporting.begin(), sourcesReporting.end(), source));
    }
  } done{source};
  // The reporter runs inside a guard of its own: an error box that fails
  // must not take the program down with it.
  try {
    if (installedReporter) {
      installedReporter(error);
    } else {
      DefaultReport(error);
    }
  } catch (const std::exception& reportFailure) {
    std::fprintf(stderr, "%s\n", reportFailure.what());
  } catch (...) {
    std::fprintf(stderr, "Unknown error\n");
  }
}

}  // namespace

TApplication::TApplication(int& argc, char** argv) {
  // A test run may already own the Qt application; it is then shared.
  if (QCoreApplication::instance() == nullptr) qtApplication_ = std::make_unique<QApplication>(argc, argv);
  std::string executablePath;
  const QString filePath = QCoreApplication::applicationFilePath();
  if (!filePath.isEmpty()) {
    executablePath = Utf16ToCodePage(filePath.toStdU16String());
  } else if (argc > 0 && argv != nullptr && argv[0] != nullptr) {
    executablePath = FileNameToCodePage(std::filesystem::path(argv[0]));
  }
  SetTitleFromExecutable(executablePath);
  currentApplication = this;
  // Before any window exists, as the speech component expects.
  speechThreadReady_ = InitializeSpeechThread();
}

TApplication::~TApplication() {
  UninitializeSpeechThread(speechThreadReady_);
  if (currentApplication == this) currentApplication = nullptr;
}

TApplication* TApplication::Instance() { return currentApplication; }

void TApplication::SetTitleFromExecutable(const std::string& executablePath) {
  title_ = TitleFromExecutablePath(executablePath);
  if (QCoreApplication::instance() != nullptr) QCoreApplication::setApplicationName(CodePageToQString(title_));
}

int TApplication::Run(TForm& mainForm) {
  // Closing the main window ends the program, whatever other windows exist.
  const QMetaObject::Connection quitOnClose =
      QObject::connect(&mainForm, &TForm::Closed, QCoreApplication::instance(), [] { QCoreApplication::quit(); });
  mainForm.ShowCentered();
  const int exitCode = QApplication::exec();
  QObject::disconnect(quitOnClose);
  return exitCode;
}

void TApplication::ReportError(const std::exception& error) {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  if (dynamic_cast<const EAbort*>(&error) != nullptr) return;
  const std::string text = WithFullStop(ErrorMessageOf(error));
  QMessageBox box(QMessageBox::Critical, CodePageToQString(title_), CodePageToQString(text), QMessageBox::Ok);
  box.setObjectName(QStringLiteral("ErrorReport"));
  box.setTextFormat(Qt::PlainText);
  // Its own modal loop: timers keep ticking while it is open.
  box.exec();
}

std::string TitleFromExecutablePath(const std::string& path) {
  // Find the last separator character by character: a double-byte
  // character may carry a backslash as its trail byte.
  std::size_t nameStart = 0;
  for (std::size_t position = 0; position < path.size();) {
    const std::size_t length = CodePageCharLength(path, position);
    if (length == 1 && (path[position] == '\\' || path[position] == '/')) nameStart = position + 1;
    position += length;
  }
  std::string name = path.substr(nameStart);
  // No code-page character has "." as a trail byte, so a plain search is safe.
  const std::size_t dot = name.find('.');
  if (dot != std::string::npos) name.erase(dot);

  std::string title;
  for (std::size_t position = 0; position < name.size();) {
    const std::size_t length = CodePageCharLength(name, position);
    const std::string_view character(name.data() + position, length);
    std::string piece = position == 0 ? std::string(character) : LowerCaseCharacter(character);
    if (title.size() + piece.size() > kMaxTitleBytes) break;
    title += piece;
    position += length;
  }
  return title;
}

std::string WithFullStop(const std::string& message) {
  if (message.empty()) return message;
  std::size_t lastStart = 0;
  for (std::size_t position = 0; position < message.size();) {
    lastStart = position;
    position += CodePageCharLength(message, position);
  }
  // std::string compares bytes as unsigned values, so a double-byte
  // character always compares above ".".
  const std::string_view last(message.data() + lastStart, message.size() - lastStart);
  if (last > std::string_view(".")) return message + ".";
  return message;
}

void RunGuarded(const std::function<void()>& handler) { RunGuarded(nullptr, handler); }

void RunGuarded(const void* source, const std::function<void()>& handler) {
  try {
    if (handler) handler();
  } catch (const std::exception& error) {
    Report(error, source);
  } catch (...) {
    Report(Exception("Unknown error"), source);
  }
}

void SetErrorReporter(ErrorReporter reporter) { installedReporter = std::move(reporter); }

void PumpPendingMessages() {
  if (QCoreApplication::instance() == nullptr) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void RepaintNow(QWidget* control) {
  if (control == nullptr || !control->isVisible()) return;
  // A transparent control is composed over its parent's background by Qt
  // itself, so one synchronous repaint covers both cases.
  control->repaint();
}

}  // namespace zembrot
