// The learning record as the game uses it: the menu items while recording,
// today's review, stopping, deleting, a damaged file, and 学习统计 beside the
// game. (A plain first start records nothing: the end-to-end test's.)

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include "content/string_list.h"
#include "frame/menu.h"
#include "game_fixture.h"
#include "progress/learning_record.h"
#include "progress/record_place.h"
#include "progress/recording_log.h"
#include "progress/statistics_window.h"
#include "record/progress_store.h"
#include "widgets/speed_button.h"

namespace zembrot::testing {
namespace {

class LearningRecordTest : public GameTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(data_.isValid());
    qputenv("XDG_DATA_HOME", data_.path().toUtf8());
    GameTest::SetUp();
    services_.DrawFreely(3);
  }
  void TearDown() override {
    record_.reset();
    GameTest::TearDown();
    qunsetenv("XDG_DATA_HOME");
  }

  void Begin(bool optIn) { record_ = std::make_unique<progress::LearningRecord>(*form_, optIn); }
  // Lets the record's thread answer: what it tells arrives through the loop.
  void WaitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(done()) << "the record never answered";
  }
  std::vector<std::string> SettingsCaptions() const {
    std::vector<std::string> captions;
    for (const TMenuItem* item : form_->N1->Items()) captions.push_back(item->Caption());
    return captions;
  }
  // Writes misses of the words `daysAgo` days before now into the record,
  // through a connection of our own.
  void Missed(int daysAgo, std::initializer_list<std::pair<const char*, const char*>> words) {
    record::ProgressStore store;
    store.Open(progress::RecordPath());
    ASSERT_TRUE(store.IsOpen());
    const std::int64_t at = services_.nowMs - daysAgo * 86'400'000LL;
    for (const auto& [english, chinese] : words) {
      ASSERT_TRUE(store.RecordReview(std::nullopt, english, chinese, learning::Outcome::Missed, learning::Grade::Again,
                                     {}, at, progress::LocalOffsetSeconds(at)));
    }
  }

  QTemporaryDir data_;
  std::unique_ptr<progress::LearningRecord> record_;
};

const std::vector<std::string> kPlainSettings = {G("落下字符显示英文"), G("不显示中文")};

TEST_F(LearningRecordTest, OptingInSaysSoOnceAndLaterStartsRecordToo) {
  Begin(true);
  ASSERT_TRUE(record_->Recording());
  EXPECT_EQ(SettingsCaptions(), (std::vector<std::string>{G("落下字符显示英文"), G("不显示中文"), "-", G("今日复习 (0)"),
                                                          G("学习统计"), G("停止记录学习进度"), G("删除学习记录…")}));
  WaitFor([&] { return services_.notices.size() == 1; });
  EXPECT_NE(services_.notices.at(0).find(G("停止记录学习进度")), std::string::npos);
  record_.reset();

  ASSERT_NO_FATAL_FAILURE(Missed(3, {{"pear", "梨"}}));
  Begin(false);
  EXPECT_TRUE(record_->Recording());
  // The count of due words comes after the record has said how it opened.
  WaitFor([&] { return SettingsCaptions().at(3) == G("今日复习 (1)"); });
  EXPECT_EQ(services_.notices.size(), 1u);  // no second notice
}

TEST_F(LearningRecordTest, StoppingIsKeptUntilTheNextOptIn) {
  Begin(true);
  WaitFor([&] { return !services_.notices.empty(); });
  record_->StopClick();
  EXPECT_FALSE(record_->Recording());
  EXPECT_EQ(SettingsCaptions(), kPlainSettings);
  EXPECT_TRUE(QFile::exists(progress::RecordPath()));  // kept
  record_.reset();
  Begin(false);
  EXPECT_FALSE(record_->Recording());
  record_.reset();
  Begin(true);
  EXPECT_TRUE(record_->Recording());
}

TEST_F(LearningRecordTest, DeletingAsksFirst) {
  Begin(true);
  WaitFor([&] { return !services_.notices.empty(); });
  services_.answers = {false};
  record_->DeleteClick();
  EXPECT_TRUE(record_->Recording());
  EXPECT_TRUE(QFile::exists(progress::RecordPath()));
  services_.answers = {true};
  record_->DeleteClick();
  EXPECT_EQ(services_.questions.size(), 2u);
  EXPECT_FALSE(record_->Recording());
  EXPECT_FALSE(QFile::exists(progress::RecordPath()));
  EXPECT_EQ(services_.notices.back(), G("学习记录已删除。以后启动不再记录,除非用 zembrot --progress 启动。"));
  record_.reset();
  Begin(false);
  EXPECT_FALSE(record_->Recording());
}

TEST_F(LearningRecordTest, ADamagedFileIsMovedAsideAndThePlayGoesOnWithoutRecording) {
  const QByteArray words("these are the learner's words, not a database");
  QDir().mkpath(progress::RecordFolder());
  QFile damaged(progress::RecordPath());
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write(words) == words.size());
  damaged.close();
  Begin(false);
  WaitFor([&] { return !services_.notices.empty(); });
  EXPECT_FALSE(record_->Recording());
  EXPECT_EQ(SettingsCaptions(), kPlainSettings);
  const QStringList files = QDir(progress::RecordFolder()).entryList(QDir::Files);
  ASSERT_EQ(files.size(), 1);
  EXPECT_TRUE(files.at(0).startsWith(QStringLiteral("progress.sqlite3.")));
  QFile aside(progress::RecordFolder() + "/" + files.at(0));
  ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
  EXPECT_EQ(aside.readAll(), words);
}

TEST_F(LearningRecordTest, TodaysReviewLoadsTheDueWordsAsAListWould) {
  ASSERT_NO_FATAL_FAILURE(Missed(3, {{"pear", "梨"}, {"tea", "茶"}}));
  Begin(false);
  WaitFor([&] { return SettingsCaptions().at(3) == G("今日复习 (2)"); });
  EXPECT_TRUE(form_->N1->Items().at(3)->Enabled());
  form_->NextLine = 1;
  form_->PendingDelete = 0;
  record_->TodaysReviewClick();
  EXPECT_EQ(PracticeLines(), (std::vector<std::string>{G("pear,梨"), G("tea,茶")}));
  EXPECT_EQ(form_->NextLine, 1);  // as after 自定义练习内容
  EXPECT_EQ(form_->PendingDelete, -1);
  EXPECT_EQ(form_->PracticeListName(), G("今日复习"));
}

TEST_F(LearningRecordTest, StatisticsOpenBesideTheGameWithTheLatestWordAndTheHardestWordsAsAList) {
  ASSERT_NO_FATAL_FAILURE(Missed(1, {{"pear", "梨"}, {"tea", "茶"}, {"pear", "梨"}}));
  Begin(false);
  EXPECT_TRUE(form_->N1->Items().at(4)->Enabled());  // 学习统计
  // A word typed just now is in the figures: the window waits for it to be written.
  ClickStart();
  form_->TopSlot = -1;
  form_->NextLine = 0;
  Tick();
  Type("apple");
  Enter();
  form_->N1->Items().at(4)->Click();
  auto* window = form_->findChild<progress::StatisticsWindow*>();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->SummaryLabel().text(), QString::fromUtf8("已掌握 0 个单词 · 连续练习 2 天 · 今天复习 1 次"));

  // Once more: the same window, brought up to date.
  form_->N1->Items().at(4)->Click();
  EXPECT_EQ(form_->findChildren<progress::StatisticsWindow*>().size(), 1);

  window->PractiseButton().OnClick(&window->PractiseButton());
  EXPECT_EQ(PracticeLines(), (std::vector<std::string>{G("pear,梨"), G("tea,茶")}));
  EXPECT_EQ(form_->PracticeListName(), G("最难的单词"));

  // Stopping the record closes its statistics.
  record_->StopClick();
  EXPECT_EQ(form_->findChild<progress::StatisticsWindow*>(), nullptr);
}

}  // namespace
}  // namespace zembrot::testing
