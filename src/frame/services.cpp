#include "frame/services.h"

#include <chrono>
#include <thread>

#include <QApplication>
#include <QMessageBox>

#include "base/random.h"
#include "frame/application.h"
#include "frame/message_form.h"
#include "frame/open_dialog.h"
#include "speech/speech_server.h"
#include "widgets/caption_text.h"

namespace zembrot {

namespace {

class RealServices final : public Services {
 public:
  void Randomize() override { generator_.Randomize(); }
  int Random(int range) override { return generator_.Random(range); }
  // Blocks the thread on purpose: no timer ticks, no input, no repaint.
  void Sleep(int milliseconds) override {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
  void ShowNotice(const std::string& text) override { ShowNoticeDialog(text); }
  bool ExecuteOpenDialog(TOpenDialog& dialog) override { return dialog.ExecuteDialog(); }
  std::shared_ptr<SpeechServer> CreateSpeechServer() override { return CreatePlatformSpeechServer(); }

 private:
  TRandomGenerator generator_;
};

Services* installedServices = nullptr;

}  // namespace

std::int64_t Services::NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

bool Services::Confirm(const std::string& text) {
  const TApplication* application = TApplication::Instance();
  QMessageBox box(QMessageBox::Question, CodePageToQString(application != nullptr ? application->Title() : "Zembrot"),
                  CodePageToQString(text), QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::No);
  box.setTextFormat(Qt::PlainText);
  // A nested loop, as every box of the game: timers keep ticking.
  return box.exec() == QMessageBox::Yes;
}

Services& CurrentServices() {
  static RealServices realServices;
  return installedServices != nullptr ? *installedServices : realServices;
}

void InstallServices(Services* services) { installedServices = services; }

}  // namespace zembrot
