#include "game_fixture.h"

#include <fstream>
#include <random>

#include "app/main_window_layout.h"
#include "base/code_page.h"
#include "content/string_list.h"
#include "frame/application.h"
#include "frame/services.h"
#include "frame/timer.h"
#include "widgets/speed_button.h"
#include "widgets/zb_label.h"
#include "widgets/zb_panel.h"

namespace zembrot::testing {

std::string G(const std::string& utf8) { return Utf8ToCodePage(utf8); }

std::vector<std::string> GameTest::DefaultPracticeLines() const {
  return {"apple,苹果", "pear,梨", "tea,茶"};
}

void GameTest::SetUp() {
  previousFolder_ = std::filesystem::current_path();
  std::random_device entropy;
  folder_ = std::filesystem::temp_directory_path() /
            ("zembrot_game_test_" + std::to_string(entropy()) + "_" + std::to_string(entropy()));
  std::filesystem::create_directories(folder_);
  std::filesystem::current_path(folder_);

  const std::vector<std::string> lines = DefaultPracticeLines();
  if (!lines.empty()) {
    std::ofstream file(folder_ / CodePageToFileName(G("食物.txt")), std::ios::binary);
    for (const std::string& line : lines) file << G(line) << "\r\n";
  }

  speech_ = std::make_shared<RecordingSpeechServer>();
  services_.speechServer = speech_;
  InstallServices(&services_);
  SetErrorReporter([this](const std::exception& error) { errors_.emplace_back(error.what()); });
  form_ = CreateMainWindow();
}

void GameTest::TearDown() {
  form_.reset();
  EXPECT_EQ(services_.PendingDraws(), 0u) << "scripted draws left over";
  SetErrorReporter(nullptr);
  InstallServices(nullptr);
  std::filesystem::current_path(previousFolder_);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void GameTest::SetPracticeLines(const std::vector<std::string>& utf8Lines) {
  std::string text;
  for (const std::string& line : utf8Lines) text += G(line) + "\r\n";
  form_->PracticeList->SplitIntoLines(text);
}

std::vector<std::string> GameTest::PracticeLines() const {
  std::vector<std::string> lines;
  for (int i = 0; i < form_->PracticeList->LineCount(); ++i) lines.push_back(form_->PracticeList->LineAt(i));
  return lines;
}

std::vector<std::string> GameTest::TallyLines() const {
  std::vector<std::string> lines;
  for (int i = 0; i < form_->TallyList->LineCount(); ++i) lines.push_back(form_->TallyList->LineAt(i));
  return lines;
}

TZbLabel* GameTest::PlaceWord(int slot, const std::string& captionUtf8, const std::string& hintUtf8, int left,
                              int top) {
  auto* word = new TZbLabel(form_->ZbPanel1);
  word->SetCaption(G(captionUtf8));
  word->SetHint(G(hintUtf8));
  word->SetLeft(left);
  word->SetTop(top);
  word->SetTransparent(true);
  word->Font().SetSize(20);
  word->Font().SetName(G("宋体"));
  word->show();
  form_->WordSlots[static_cast<std::size_t>(slot)] = word;
  return word;
}

void GameTest::DestroyAllWords() {
  for (TZbLabel*& word : form_->WordSlots) {
    delete word;
    word = nullptr;
  }
}

int GameTest::WordCount() const {
  int count = 0;
  for (const TZbLabel* word : form_->WordSlots) count += word != nullptr ? 1 : 0;
  return count;
}

TZbLabel* GameTest::PlaceGateBlocker(int slot) { return PlaceWord(slot, "栏", "bar", 600, 0); }

void GameTest::ExpectGateBlocked() { services_.ExpectDraw(820, 600); }

void GameTest::Tick() { form_->Timer1Timer(form_->Timer1); }

void GameTest::Type(const std::string& utf8) {
  for (const char byte : G(utf8)) Key(byte);
}

void GameTest::Key(char key) { form_->DeliverKey(key); }

void GameTest::ClickStart() { form_->SpeedButton1->OnClick(form_->SpeedButton1); }

void GameTest::ExpectCelebration(int red, int green, int blue) {
  services_.ExpectDraw(255, red);
  services_.ExpectDraw(255, green);
  services_.ExpectDraw(255, blue);
}

}  // namespace zembrot::testing
