#pragma once

// TForm1: the main window and the whole game. The window's components are
// created from the layout table (app/main_window_layout.h); this class holds
// the game's fields and its handlers, one source file per topic.

#include <array>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "frame/form.h"
#include "game/core/learning_log.h"
#include "game/core/practice_cursor.h"
#include "game/core/word_field.h"

class QObject;
class QWidget;

namespace zembrot {

class TMainMenu;
class TMenuItem;
class TOpenDialog;
class TSpVoice;
class TSpeedButton;
class TStringCollection;
class TStringList;
class TTimer;
class TZbCheckBox;
class TZbLabel;
class TZbMenuController;
class TZbPanel;

class TForm1 : public TForm {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Components, bound by the layout; Qt children of the window, except the
  // speech component and the open dialog, which are no widgets. They keep
  // the names the layout gives them; what each one is for the player:
  TTimer* Timer1 = nullptr;                        // the fall tick, every 500 ms at first, faster later
  TSpeedButton* SpeedButton1 = nullptr;            // the Start/End button, "开 始" / "结 束"
  TZbCheckBox* CheckBox1 = nullptr;                // the hint switch "英文提示", and the hint line itself
  TZbLabel* ZbLabel1 = nullptr;                    // the typed-text line, bottom left
  TTimer* Timer2 = nullptr;                        // reveals the whole hint nine seconds after it was masked
  TZbMenuController* ZbMenuController1 = nullptr;  // draws the menus in the game's own look
  TMainMenu* MainMenu1 = nullptr;                  // the menu bar
  TMenuItem* N1 = nullptr;                         // "设置", the settings submenu
  TMenuItem* N2 = nullptr;                         // "落下字符显示英文": new words show their whole line
  TTimer* Timer3 = nullptr;                        // alternation: words swap their two texts every 2 s
  TZbPanel* ZbPanel1 = nullptr;                    // the play field; owns the falling words
  std::unique_ptr<TSpVoice> SpVoice1;              // speaks each matched word
  TMenuItem* N3 = nullptr;                         // "自定义练习内容": load another practice list
  std::unique_ptr<TOpenDialog> OpenDialog1;        // the file-open dialog of N3
  TMenuItem* N4 = nullptr;                         // "不显示中文": alternation on or off
  TMenuItem* N5 = nullptr;                         // "帮 助": the help notice

  // Handlers.
  void Timer1Timer(QObject* Sender);
  void FormKeyPress(QObject* Sender, char& Key);
  void SpeedButton1Click(QObject* Sender);
  void FormCreate(QObject* Sender);
  void Timer2Timer(QObject* Sender);
  void N2Click(QObject* Sender);
  void Timer3Timer(QObject* Sender);
  void N3Click(QObject* Sender);
  void N4Click(QObject* Sender);
  void N5Click(QObject* Sender);

  // Game fields. The handlers change them only through the named
  // transitions of their types (game/core); a test may set them up directly.
  int Score = 0;  // up one per match, down one per word missed at the bottom
  std::string TypedText;  // written by FormKeyPress only
  // Falling words, owned by ZbPanel1; filled by PutWord, emptied by RemoveWord.
  std::array<TZbLabel*, game::kSlotCount> WordSlots{};
  game::SlotCounter TopSlot = 0;
  std::unique_ptr<TStringList> PracticeList;
  std::unique_ptr<TStringList> TallyList;
  game::PracticeCursor NextLine = 0;
  std::string HintText;  // written by UpdateHint only
  // Set to "no line" first thing in FormCreate.
  game::RemovalMark PendingDelete = 0;

  // The Top of the crowding word with the highest slot index among slots
  // 1..TopSlot (Exclude skipped), or -1.
  int FindBlocker(int Y, int X, int Exclude) const;
  // The hint line refresh; does nothing while CheckBox1 is unticked.
  void UpdateHint();

  // Replaces the practice list with the file the system names `file`, as
  // 自定义练习内容 does once a file is chosen: words on the field, NextLine
  // and the tally stay; a failed load raises the open error (naming
  // `shownPath`, code-page bytes) and changes nothing.
  void LoadPracticeList(const std::filesystem::path& file, const std::string& shownPath);
  // The same with lines already at hand, under the list name `name`.
  void LoadPracticeText(const std::string& text, const std::string& name);
  // The name of the practice list in play (its path, code-page bytes).
  const std::string& PracticeListName() const { return practiceListName_; }

  // Where the game tells what happened to each word; not owned, and it must
  // outlive the window. Until set, nothing is kept.
  void SetLearningLog(game::LearningLog& log) { learningLog_ = &log; }
  // Ends a game in progress in the log and keeps nothing from then on.
  void DetachLearningLog();

 private:
  // The falling words' geometry, read off their labels.
  class LabelField;
  void PutWord(int slot, TZbLabel* word, std::optional<game::SpawnedPair> pair);
  // Frees the word (the panel lets go of it) and empties its slot; TopSlot
  // falls by one, whichever slot the word held.
  void RemoveWord(int slot);

  void SpawnWords();
  void SpawnWordInSlot(int slot);
  void ReportEmptyPracticeList();
  void MatchTypedText();
  void CelebrateAndScore(int slot);
  void SpeakTypedText();
  void ReportSpeechFailure();
  void TallyWord(const std::string& displayed, const std::string& hint);
  // Tells the learning log what became of the word in `slot`, if it was
  // spawned from a practice pair.
  void LogMatch(int slot, const std::string& displayed);
  void LogMiss(int slot);
  void LogOutcome(int slot, game::Outcome outcome, game::Shown shown);
  void EndLoggedGame();

  // Sets Form1 before anything else of the object is built.
  static bool RegisterAsForm1(TForm1* form);
  bool registeredAsForm1_ = RegisterAsForm1(this);

  // One empty-list message per Start, not one per tick.
  bool emptyListReported_ = false;
  // A broken speech engine is reported once per run; play goes on silently.
  bool speechFailureReported_ = false;
  std::exception_ptr pendingSpeechFailure_;

  std::string practiceListName_;
  game::LearningLog* learningLog_ = &game::NoLearningLog();
  // The pair each falling word was spawned from, slot by slot, with the
  // word it belongs to (a slot may have been refilled by other means).
  struct SpawnedWord {
    const TZbLabel* word = nullptr;
    game::SpawnedPair pair;
  };
  std::array<std::optional<SpawnedWord>, game::kSlotCount> spawnedWords_{};
  const game::SpawnedPair* SpawnedPairOf(int slot) const;
  bool gameLogged_ = false;  // GameStarted told, GameEnded not yet
};

// The default practice file, "食物.txt" in the process's current directory.
std::string DefaultPracticeFilePath();

// The main window, set as soon as its object exists.
extern TForm1* Form1;
// The one string utility collection, made by FormCreate and kept to the end.
extern TStringCollection* StringHelpers;

}  // namespace zembrot
