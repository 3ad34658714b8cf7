#pragma once

// The real main window with its real widgets, built from the layout in a
// scratch current directory, with fake services and a recording error report.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fake_services.h"
#include "game/form1.h"
#include "speech/recording_speech_server.h"

namespace zembrot::testing {

// UTF-8 source text as code-page bytes.
std::string G(const std::string& utf8);

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes "食物.txt" (GBK, CR LF) into the scratch folder before the window
  // is built; an empty vector writes no file.
  virtual std::vector<std::string> DefaultPracticeLines() const;
  // Replaces the practice list; lines are UTF-8 source text.
  void SetPracticeLines(const std::vector<std::string>& utf8Lines);
  std::vector<std::string> PracticeLines() const;  // as code-page bytes
  std::vector<std::string> TallyLines() const;

  // Puts a falling word into `slot` as a spawn would, without dice.
  TZbLabel* PlaceWord(int slot, const std::string& captionUtf8, const std::string& hintUtf8, int left,
                      int top);
  int WordCount() const;
  void DestroyAllWords();
  // A word at the top, at Left 600, in `slot`; with ExpectGateBlocked the
  // spawn gate finds it and admits nothing.
  TZbLabel* PlaceGateBlocker(int slot);
  void ExpectGateBlocked();

  void Tick();
  // Types the bytes of `utf8` (converted to the code page) one key each.
  void Type(const std::string& utf8);
  void Key(char key);
  void Enter() { Key(13); }
  void ClickStart();

  // Scripts the three colour draws of one celebration.
  void ExpectCelebration(int red = 1, int green = 2, int blue = 3);

  std::filesystem::path folder_;
  std::filesystem::path previousFolder_;
  FakeServices services_;
  std::shared_ptr<RecordingSpeechServer> speech_;
  std::vector<std::string> errors_;
  std::unique_ptr<TForm1> form_;
};

}  // namespace zembrot::testing
