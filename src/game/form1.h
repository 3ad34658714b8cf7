#pragma once

// TForm1: the main window and the whole game. The window's components are
// created from the layout table (app/main_window_layout.h); this class holds
// the game's fields and its handlers, one source file per topic.

#include <array>
#include <exception>
#include <memory>
#include <string>

#include "frame/form.h"

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
  // speech component and the open dialog, which are no widgets.
  TTimer* Timer1 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TZbCheckBox* CheckBox1 = nullptr;
  TZbLabel* ZbLabel1 = nullptr;
  TTimer* Timer2 = nullptr;
  TZbMenuController* ZbMenuController1 = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* N1 = nullptr;
  TMenuItem* N2 = nullptr;
  TTimer* Timer3 = nullptr;
  TZbPanel* ZbPanel1 = nullptr;
  std::unique_ptr<TSpVoice> SpVoice1;
  TMenuItem* N3 = nullptr;
  std::unique_ptr<TOpenDialog> OpenDialog1;
  TMenuItem* N4 = nullptr;
  TMenuItem* N5 = nullptr;

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

  // Game fields.
  int Score = 0;
  std::string TypedText;
  // Falling words, owned by ZbPanel1. Only slots 0..4 are ever used.
  std::array<TZbLabel*, 93> WordSlots{};
  // How far the loops over WordSlots reach: a counter of admitted spawns
  // less destroyed words, not the index of the highest occupied slot.
  int TopSlot = 0;
  std::unique_ptr<TStringList> PracticeList;
  std::unique_ptr<TStringList> TallyList;
  int NextLine = 0;
  std::string HintText;
  // Practice line to remove at the next spawn, or -1 (set by FormCreate).
  int PendingDelete = 0;

  // The Top of the crowding word with the highest slot index among slots
  // 1..TopSlot (Exclude skipped), or -1.
  int FindBlocker(int Y, int X, int Exclude) const;
  // The hint line refresh; does nothing while CheckBox1 is unticked.
  void UpdateHint();

 private:
  void SpawnWords();
  void SpawnWordInSlot(int slot);
  std::string TakeNextPracticeLine();
  void AdvanceNextLine();
  bool PracticeListHasWords() const;
  void ReportEmptyPracticeList();
  void DestroyWord(int slot);
  void MatchTypedText();
  void CelebrateAndScore(int slot);
  void SpeakTypedText();
  void ReportSpeechFailure();
  void TallyWord(const std::string& displayed, const std::string& hint);
  void MarkMasteredLine(const std::string& displayed, const std::string& hint);
  void CheckGameOver();

  // Sets Form1 before anything else of the object is built.
  static bool RegisterAsForm1(TForm1* form);
  bool registeredAsForm1_ = RegisterAsForm1(this);

  // One empty-list message per Start, not one per tick.
  bool emptyListReported_ = false;
  // A broken speech engine is reported once per run; play goes on silently.
  bool speechFailureReported_ = false;
  std::exception_ptr pendingSpeechFailure_;
};

// The default practice file, "食物.txt" in the process's current directory.
std::string DefaultPracticeFilePath();

// The main window, set as soon as its object exists.
extern TForm1* Form1;
// The one string utility collection, made by FormCreate and kept to the end.
extern TStringCollection* StringHelpers;

}  // namespace zembrot
