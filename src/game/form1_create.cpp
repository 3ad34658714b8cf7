// Creation of the game state and the Start/End button.

#include <filesystem>
#include <memory>

#include "base/code_page.h"
#include "content/string_collection.h"
#include "content/string_list.h"
#include "frame/services.h"
#include "frame/timer.h"
#include "game/form1.h"
#include "game/texts.h"
#include "widgets/speed_button.h"
#include "widgets/zb_check_box.h"

namespace zembrot {

namespace {

// The collection lives to the end of the process; holding it here keeps
// leak checkers quiet without ever freeing it while the program runs.
std::unique_ptr<TStringCollection>& StringHelpersHolder() {
  static std::unique_ptr<TStringCollection> holder;
  return holder;
}

}  // namespace

// The current directory is part of the game's state: the default list is
// read from it, 自定义练习内容 names it, and a file chosen in another folder
// moves it there. Not the program's own folder: players start the game next
// to their lists.
std::string DefaultPracticeFilePath() {
  std::string folder = FileNameToCodePage(std::filesystem::current_path());
  const std::string separator = PathSeparator();
  if (folder.size() < separator.size() ||
      folder.compare(folder.size() - separator.size(), separator.size(), separator) != 0) {
    folder += separator;
  }
  return folder + texts::DefaultPracticeFileName();
}

void TForm1::FormCreate(QObject* /*Sender*/) {
  PendingDelete.Clear();
  TallyList = std::make_unique<TStringList>();
  StringHelpersHolder() = std::make_unique<TStringCollection>();
  StringHelpers = StringHelpersHolder().get();
  PracticeList = std::make_unique<TStringList>();
  // A missing file is reported by the frame; the window opens regardless
  // and the list stays empty. Read from the current directory (see
  // DefaultPracticeFilePath), by its name there: the directory's own name
  // may have characters the code page lacks.
  practiceListName_ = DefaultPracticeFilePath();
  PracticeList->LoadLines(texts::DefaultPracticeFileName());
}

void TForm1::SpeedButton1Click(QObject* /*Sender*/) {
  if (SpeedButton1->Caption() == texts::StartCaption()) {
    // Start resets only the loop bound: the score, the typed text, the
    // lists, the fall speed and any words still on the field carry on.
    TopSlot.Restart();
    Timer1->SetEnabled(true);
    // The hint switch is fixed from the first Start on.
    CheckBox1->SetEnabled(false);
    // Alternation starts whatever N4 shows.
    Timer3->SetEnabled(true);
    SpeedButton1->SetCaption(texts::EndCaption());
    emptyListReported_ = false;
    EndLoggedGame();
    gameLogged_ = true;
    learningLog_->GameStarted(practiceListName_, CurrentServices().NowMs());
  } else {
    Timer1->SetEnabled(false);
    Timer2->SetEnabled(false);
    Timer3->SetEnabled(false);
    SpeedButton1->SetCaption(texts::StartCaption());
    EndLoggedGame();
  }
}

}  // namespace zembrot
