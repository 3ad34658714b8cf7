#pragma once

// The learning record's log as the statistics read it: plain values, texts
// in UTF-8, nothing of the database.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zembrot::stats {

struct LoggedWord {
  std::int64_t id = 0;
  std::string english;  // ASCII-lowered, as the record keeps it
  std::string chinese;
};

struct LoggedGame {
  std::int64_t id = 0;
  std::int64_t started_ms = 0;
  std::optional<std::int64_t> ended_ms;  // none while it runs, or after a kill
};

struct LoggedReview {
  std::int64_t at_ms = 0;
  std::int64_t day = 0;  // the learning day it was recorded on
  std::int64_t word_id = 0;
  std::optional<std::int64_t> game_id;
  int outcome = 0;  // learning::Outcome: 1 recalled, 2 copied, 3 missed
  int grade = 0;    // learning::Grade
};

struct ReviewLog {
  std::vector<LoggedWord> words;
  std::vector<LoggedGame> games;
  std::vector<LoggedReview> reviews;  // in the order they were written
};

}  // namespace zembrot::stats
