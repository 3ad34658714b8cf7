// The log read out: whole for the statistics, and exported as CSV.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include <QTemporaryDir>

#include "record/csv.h"
#include "record/progress_store.h"
#include "record_test_support.h"

namespace zembrot::record {
namespace {

TEST(Csv, QuotesOnlyFieldsThatNeedIt) {
  const struct {
    std::string text;
    std::string field;
  } cases[] = {
      {"a 'b'", "a 'b'"},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"cr\r", "\"cr\r\""},
  };
  for (const auto& c : cases) EXPECT_EQ(CsvField(c.text), c.field) << c.text;
}

std::string Text(const stats::ReviewLog& log) {
  const auto number = [](const std::optional<std::int64_t>& n) { return n ? std::to_string(*n) : std::string("-"); };
  std::string text;
  for (const stats::LoggedWord& w : log.words) text += "w" + std::to_string(w.id) + " " + w.english + " " + w.chinese + "; ";
  for (const stats::LoggedGame& g : log.games) {
    text += "g" + std::to_string(g.id) + " " + std::to_string(g.started_ms) + ".." + number(g.ended_ms) + "; ";
  }
  for (const stats::LoggedReview& r : log.reviews) {
    text += "r " + std::to_string(r.at_ms) + " d" + std::to_string(r.day) + " w" + std::to_string(r.word_id) + " g" +
            number(r.game_id) + " " + std::to_string(r.outcome) + "/" + std::to_string(r.grade) + "; ";
  }
  return text;
}

TEST(ReadLogAndCsv, EverythingAsWrittenInOrder) {
  QTemporaryDir folder;
  ProgressStore store;
  ASSERT_EQ(store.Open(folder.path() + "/progress.sqlite3").outcome, OpenOutcome::Created);
  const std::optional<std::int64_t> game = store.BeginGame("lists/水果, \"新\".txt", 1711837700000);
  ASSERT_TRUE(game);
  // 2024-03-30 23:30 CET and 2024-03-31 04:00 CEST.
  ASSERT_TRUE(store.RecordReview(game, "Apple", "苹果,\"红\"\n的", learning::Outcome::Recalled, learning::Grade::Good,
                                 {"chinese", 3250, 50, false, false}, 1711837800000, 3600));
  ASSERT_TRUE(store.EndGame(*game, 1711837900000));
  ASSERT_TRUE(store.RecordReview(std::nullopt, "pear", "梨", learning::Outcome::Copied, learning::Grade::None,
                                 {"line", 800, 40, true, true}, 1711850400123, 7200));
  ASSERT_TRUE(store.BeginGame("lists/茶.txt", 1711850500000));  // runs on
  EXPECT_EQ(Text(*store.ReadLog()),
            "w1 apple 苹果,\"红\"\n的; w2 pear 梨; g1 1711837700000..1711837900000; g2 1711850500000..-; "
            "r 1711837800000 d19812 w1 g1 1/3; r 1711850400123 d19813 w2 g- 2/0; ");

  const QString path = folder.path() + "/reviews.csv";
  ASSERT_TRUE(store.ExportReviewsCsv(path)) << store.LastError().message;
  EXPECT_EQ(testing::ReadBytes(path),
            "review_id,at_ms,local_time,utc_offset,day,english,chinese,outcome,grade,shown,on_field_ms,"
            "fall_interval_ms,hint_ticked,whole_line,game_id,list\r\n"
            "1,1711837800000,2024-03-30T23:30:00.000+01:00,3600,19812,apple,\"苹果,\"\"红\"\"\n的\",1,3,chinese,3250,"
            "50,0,0,1,\"lists/水果, \"\"新\"\".txt\"\r\n"
            "2,1711850400123,2024-03-31T04:00:00.123+02:00,7200,19813,pear,梨,2,0,line,800,40,1,1,,\r\n");
  // A file that cannot be written is an error, not a success.
  testing::WriteBytes(folder.path() + "/file", "x");
  EXPECT_FALSE(store.ExportReviewsCsv(folder.path() + "/file/reviews.csv"));
  EXPECT_EQ(store.LastError().kind, ErrorKind::Other);
}

}  // namespace
}  // namespace zembrot::record
