#include "fake_services.h"

#include <gtest/gtest.h>

#include "frame/open_dialog.h"

namespace zembrot::testing {

FakeServices::FakeServices() = default;

void FakeServices::ExpectDraw(int range, int value) { script_.push_back({range, value}); }

void FakeServices::DrawFreely(std::uint32_t seed) {
  drawFreely_ = true;
  generator_.SetSeed(seed);
}

void FakeServices::Randomize() {
  ++randomizeCount;
  if (onRandomize) onRandomize();
}

int FakeServices::Random(int range) {
  drawRanges.push_back(range);
  if (script_.empty()) {
    if (drawFreely_) return generator_.Random(range);
    ADD_FAILURE() << "unscripted draw from 0.." << range - 1;
    return 0;
  }
  const Draw draw = script_.front();
  script_.pop_front();
  EXPECT_EQ(draw.range, range) << "a draw from 0.." << range - 1 << " where one from 0.."
                               << draw.range - 1 << " was scripted";
  EXPECT_TRUE(draw.value >= 0 && draw.value < range) << "scripted value out of range";
  return draw.value;
}

void FakeServices::Sleep(int milliseconds) {
  sleeps.push_back(milliseconds);
  if (onSleep) onSleep(milliseconds);
}

void FakeServices::ShowNotice(const std::string& text) {
  notices.push_back(text);
  if (onNotice) onNotice(text);
}

bool FakeServices::ExecuteOpenDialog(TOpenDialog& dialog) {
  ++openDialogRuns;
  if (!openDialogFiles.empty()) {
    dialog.SetChosenFile(openDialogFiles.front());
    openDialogFiles.pop_front();
    return true;
  }
  if (openDialogChoices.empty()) return false;
  dialog.FileName = openDialogChoices.front();
  openDialogChoices.pop_front();
  return true;
}

std::shared_ptr<SpeechServer> FakeServices::CreateSpeechServer() { return speechServer; }

bool FakeServices::Confirm(const std::string& text) {
  questions.push_back(text);
  if (answers.empty()) return false;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace zembrot::testing
