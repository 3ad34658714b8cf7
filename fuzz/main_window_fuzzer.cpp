// The real main window driven by arbitrary input: the first byte picks the
// settings, the bytes up to the first zero byte are the practice list, and
// every later byte is a tick, a click, a menu command, Enter, Backspace or a
// typed byte. Notices are laid out (not shown), dice come from a fixed seed,
// the pause does not block, the open dialog is cancelled and there is no
// speech engine, so the game reports that once and plays on silently.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <QApplication>

#include "app/main_window_layout.h"
#include "base/errors.h"
#include "base/random.h"
#include "content/string_list.h"
#include "frame/application.h"
#include "frame/menu.h"
#include "frame/message_form_dialog.h"
#include "frame/services.h"
#include "frame/timer.h"
#include "game/form1.h"
#include "speech/speech_server.h"
#include "widgets/zb_check_box.h"

namespace {

class NoSpeechServer final : public zembrot::SpeechServer {
 public:
  zembrot::HResult GetActiveObject(std::shared_ptr<zembrot::SpeechObject>& object) override {
    object = nullptr;
    return zembrot::OPERATION_UNAVAILABLE_RESULT;
  }
  zembrot::HResult CreateInstance(std::shared_ptr<zembrot::SpeechObject>& object) override {
    object = nullptr;
    return zembrot::CLASS_NOT_REGISTERED_RESULT;
  }
};

class QuietServices final : public zembrot::Services {
 public:
  void Reset() { generator_.SetSeed(1); }
  void Randomize() override {}
  int Random(int range) override { return generator_.Random(range); }
  void Sleep(int) override {}
  void ShowNotice(const std::string& text) override {
    // The layout of the real notice, without its modal loop.
    const zembrot::TMessageForm notice("Zembrot", text, 640);
    if (notice.width() > 4096 || notice.height() > 4096) std::abort();
  }
  bool ExecuteOpenDialog(zembrot::TOpenDialog&) override { return false; }
  std::shared_ptr<zembrot::SpeechServer> CreateSpeechServer() override { return std::make_shared<NoSpeechServer>(); }

 private:
  zembrot::TRandomGenerator generator_;
};

QuietServices& Quiet() {
  static QuietServices services;
  return services;
}

// What a byte of the stream does; any other byte is typed.
enum Command : unsigned char {
  kFallTick = 1,
  kHintReveal = 2,
  kAlternationTick = 3,
  kStartOrEnd = 4,
  kWholeLineMenu = 5,
  kCustomContentMenu = 6,
  kAlternationMenu = 7,
  kHelpMenu = 14,
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication application(*argc, *argv);
  // A folder of its own with the default list, so the start-up load works.
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("zembrot-fuzz-window-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  std::ofstream(folder / "\xE9\xA3\x9F\xE7\x89\xA9.txt", std::ios::binary)  // 食物.txt
      << "apple,\xC6\xBB\xB9\xFB\r\npear,\xC0\xE6\r\n";
  zembrot::InstallServices(&Quiet());
  // The game's own errors are part of how it plays (a tally count that is no
  // number, say); anything else reaching the error report is a fault.
  zembrot::SetErrorReporter([](const std::exception& error) {
    if (dynamic_cast<const zembrot::Exception*>(&error) != nullptr) return;
    std::fprintf(stderr, "error report reached by a fault: %s\n", zembrot::ErrorMessageOf(error).c_str());
    std::abort();
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  Quiet().Reset();
  std::unique_ptr<zembrot::TForm1> form = zembrot::CreateMainWindow();
  zembrot::TForm1& game = *form;
  const unsigned char settings = data[0];
  if ((settings & 1) != 0) game.CheckBox1->SetChecked(true);
  if ((settings & 2) != 0) zembrot::RunGuarded([&] { game.N2Click(game.N2); });

  std::size_t position = 1;
  std::string list;
  while (position < size && data[position] != 0) list += static_cast<char>(data[position++]);
  ++position;
  if ((settings & 4) == 0) game.PracticeList->SplitIntoLines(list);

  for (; position < size; ++position) {
    const unsigned char byte = data[position];
    switch (byte) {
      case kFallTick: zembrot::RunGuarded([&] { game.Timer1Timer(game.Timer1); }); break;
      case kHintReveal: zembrot::RunGuarded([&] { game.Timer2Timer(game.Timer2); }); break;
      case kAlternationTick: zembrot::RunGuarded([&] { game.Timer3Timer(game.Timer3); }); break;
      case kStartOrEnd: zembrot::RunGuarded([&] { game.SpeedButton1Click(nullptr); }); break;
      case kWholeLineMenu: zembrot::RunGuarded([&] { game.N2Click(game.N2); }); break;
      case kCustomContentMenu: zembrot::RunGuarded([&] { game.N3Click(game.N3); }); break;
      case kAlternationMenu: zembrot::RunGuarded([&] { game.N4Click(game.N4); }); break;
      case kHelpMenu: zembrot::RunGuarded([&] { game.N5Click(game.N5); }); break;
      default: game.DeliverKey(static_cast<char>(byte)); break;
    }
  }
  return 0;
}
