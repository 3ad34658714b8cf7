// zembrot --stats and --export-reviews: the summary line in a terminal, or
// the review log written as CSV, from the learning record in the user's data
// folder; a sentence and exit status 1 on a damaged record. (No record at
// all: the command-line test's.)

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <tuple>

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

TEST(RecordCommands, PrintTheSummaryOrWriteTheLogOrSayWhyNot) {
  // Qt SQL loads its drivers only with an application object.
  int argc = 1;
  char name[] = "zembrot_app_tests";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  QTemporaryDir data;
  ASSERT_TRUE(data.isValid());
  qputenv("XDG_DATA_HOME", data.path().toUtf8());
  const std::string record = QDir::toNativeSeparators(progress::RecordPath()).toStdString();
  const QString csv = data.path() + "/reviews.csv";
  const std::int64_t now = QDateTime::currentMSecsSinceEpoch();
  // An instant of the learning day before today's, a daylight-saving change
  // or not.
  const auto day = [](std::int64_t at) { return learning::LearningDay(at, progress::LocalOffsetSeconds(at)); };
  std::int64_t yesterday = now - 86'400'000;
  for (int hours = 20; day(yesterday) != day(now) - 1 && hours <= 28; ++hours) yesterday = now - hours * 3'600'000LL;
  const std::function<void()> yesterday_and_today = [&] {
    record::ProgressStore store;
    ASSERT_EQ(store.Open(progress::RecordPath()).outcome, record::OpenOutcome::Created);
    const std::tuple<const char*, Outcome, Grade, std::int64_t> reviews[] = {
        {"apple", Outcome::Recalled, Grade::Good, yesterday},
        {"apple", Outcome::Missed, Grade::Again, now},
        {"pear", Outcome::Copied, Grade::None, now}};
    for (const auto& [english, outcome, grade, at] : reviews) {
      ASSERT_TRUE(store.RecordReview(std::nullopt, english, "词", outcome, grade, {}, at, progress::LocalOffsetSeconds(at)));
    }
  };
  const struct {
    const char* name;
    std::function<void()> make;
    bool stats;  // else --export-reviews <csv>
    int exit_code;
    std::string out;
    std::string error;  // its start: a damaged file's new name ends in the time it was moved
  } cases[] = {
      {"--stats", yesterday_and_today, true, 0, "已掌握 0 个单词 · 连续练习 2 天 · 今天复习 2 次\n", ""},
      {"--stats on a file that is not a record",
       [] {
         QDir().mkpath(progress::RecordFolder());
         QFile file(progress::RecordPath());
         ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         file.write("a letter, not a database");
       },
       true, 1, "", "zembrot: the learning record was damaged and has been moved to " + record + ".damaged-"},
      {"--export-reviews", yesterday_and_today, false, 0, "3 reviews written to " + csv.toStdString() + "\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QDir(progress::RecordFolder()).removeRecursively();
    QFile::remove(csv);
    c.make();
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int exit_code = c.stats ? PrintStatistics() : ExportReviews(csv.toStdString());
    std::fflush(stdout);
    std::fflush(stderr);
    const std::string out = ::testing::internal::GetCapturedStdout();
    const std::string error = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(exit_code, c.exit_code);
    EXPECT_EQ(out, c.out);
    EXPECT_EQ(c.exit_code == 0 ? error : error.substr(0, c.error.size()), c.error);
    EXPECT_EQ(QFile::exists(csv), !c.stats);
  }
  qunsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace zembrot
