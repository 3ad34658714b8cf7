#pragma once

// Services for game tests: scripted dice, a pause that only records, a
// recording notice, a scripted open dialog and a replaceable speech server.

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/random.h"
#include "frame/services.h"

namespace zembrot::testing {

class FakeServices : public Services {
 public:
  FakeServices();

  // Scripts the next draw: it must be a draw from 0..range-1 and gives value.
  void ExpectDraw(int range, int value);
  // Draws that were scripted but not taken yet.
  std::size_t PendingDraws() const { return script_.size(); }
  // Unscripted draws come from a seeded generator instead of failing.
  void DrawFreely(std::uint32_t seed);

  int randomizeCount = 0;
  std::vector<int> drawRanges;  // every draw taken, scripted or free
  std::vector<int> sleeps;
  std::vector<std::string> notices;
  // Runs inside ShowNotice / Sleep, as the modal loop or the pause would.
  std::function<void(const std::string&)> onNotice;
  std::function<void(int)> onSleep;
  // Runs at each reseed: the start of every fall tick and every fresh hint.
  std::function<void()> onRandomize;

  // The open dialog: the next answers, in order; an empty deque cancels.
  std::deque<std::string> openDialogChoices;
  // Answers as the system names the chosen file; taken before those above.
  std::deque<std::filesystem::path> openDialogFiles;
  int openDialogRuns = 0;

  std::shared_ptr<SpeechServer> speechServer;

  // The clock stands still unless a test moves it.
  std::int64_t nowMs = 1'800'000'000'000;
  // Questions asked, and the answers to give, in order; none left says No.
  std::vector<std::string> questions;
  std::deque<bool> answers;

  void Randomize() override;
  int Random(int range) override;
  void Sleep(int milliseconds) override;
  void ShowNotice(const std::string& text) override;
  bool ExecuteOpenDialog(TOpenDialog& dialog) override;
  std::shared_ptr<SpeechServer> CreateSpeechServer() override;
  std::int64_t NowMs() override { return nowMs; }
  bool Confirm(const std::string& text) override;

 private:
  struct Draw {
    int range;
    int value;
  };
  std::deque<Draw> script_;
  bool drawFreely_ = false;
  TRandomGenerator generator_;
};

}  // namespace zembrot::testing
