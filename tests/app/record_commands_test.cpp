// zembrot --stats: the summary line in a terminal, from the learning record
// in the user's data folder; a sentence and exit status 1 without one.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/record_commands.h"
#include "learning/learning_day.h"
#include "progress/record_place.h"
#include "progress/recording_log.h"
#include "record/progress_store.h"

namespace zembrot {
namespace {

using learning::Grade;
using learning::Outcome;

// Qt SQL loads its drivers only with an application object.
void NeedApplication() {
  static int argc = 1;
  static char name[] = "zembrot_app_tests";
  static char* argv[] = {name, nullptr};
  static const std::unique_ptr<QCoreApplication> application =
      QCoreApplication::instance() == nullptr ? std::make_unique<QCoreApplication>(argc, argv) : nullptr;
}

void Record(const std::function<void(record::ProgressStore&)>& write) {
  record::ProgressStore store;
  ASSERT_EQ(store.Open(progress::RecordPath()).outcome, record::OpenOutcome::Created);
  write(store);
}

TEST(StatisticsCommand, PrintsTheSummaryLineOrSaysWhyNot) {
  NeedApplication();
  const std::int64_t now = QDateTime::currentMSecsSinceEpoch();
  // An instant of the learning day before today's, a daylight-saving change
  // or not.
  const auto day = [](std::int64_t at) { return learning::LearningDay(at, progress::LocalOffsetSeconds(at)); };
  std::int64_t yesterday = now - 86'400'000;
  for (int hours = 20; day(yesterday) != day(now) - 1 && hours <= 28; ++hours) yesterday = now - hours * 3'600'000LL;
  const auto review = [](record::ProgressStore& store, const char* english, Outcome outcome, Grade grade,
                         std::int64_t at) {
    ASSERT_TRUE(store.RecordReview(std::nullopt, english, "词", outcome, grade, {}, at, progress::LocalOffsetSeconds(at)));
  };
  const struct {
    const char* name;
    std::function<void()> make;
    int exit_code;
    std::string out;
    std::string error;  // "<record>" stands for the record's path
  } cases[] = {
      {"no record", [] {}, 1, "",
       "zembrot: no learning record at <record> (start the game with --progress to keep one)\n"},
      {"an empty record", [] { Record([](record::ProgressStore&) {}); }, 0,
       "已掌握 0 个单词 · 连续练习 0 天 · 今天复习 0 次\n", ""},
      {"yesterday and today",
       [&] {
         Record([&](record::ProgressStore& store) {
           review(store, "apple", Outcome::Recalled, Grade::Good, yesterday);
           review(store, "apple", Outcome::Missed, Grade::Again, now);
           review(store, "pear", Outcome::Copied, Grade::None, now);
         });
       },
       0, "已掌握 0 个单词 · 连续练习 2 天 · 今天复习 2 次\n", ""},
      {"not a record",
       [] {
         QDir().mkpath(progress::RecordFolder());
         QFile file(progress::RecordPath());
         ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         file.write("a letter, not a database");
       },
       1, "", "zembrot: the learning record was damaged and has been moved to <record>.damaged-"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    c.make();
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int exit_code = PrintStatistics();
    std::fflush(stdout);
    std::fflush(stderr);
    const std::string out = ::testing::internal::GetCapturedStdout();
    const std::string error = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(exit_code, c.exit_code);
    EXPECT_EQ(out, c.out);
    std::string expected_error = c.error;
    const std::string placeholder = "<record>";
    if (const std::size_t at = expected_error.find(placeholder); at != std::string::npos) {
      expected_error.replace(at, placeholder.size(), QDir::toNativeSeparators(progress::RecordPath()).toStdString());
    }
    // A damaged file's new name ends in the time it was moved.
    EXPECT_EQ(error.substr(0, expected_error.size()), expected_error);
    if (c.exit_code == 0) {
      EXPECT_EQ(error, "");
    }
    qunsetenv("XDG_DATA_HOME");
  }
}

}  // namespace
}  // namespace zembrot
