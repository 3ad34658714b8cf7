#include "record/schema.h"

#include <stdexcept>

#include "record/progress_store.h"

namespace zembrot::record::schema {

namespace {

// Version 0 -> 1: the three tables.
// word: english is ASCII-lowered (the game's identity of a word); the
//   memory state columns are NULL until the first graded review.
// review: `day` is the learning day of at_ms at utc_offset (seconds east of
//   UTC), kept so the cache can be rebuilt without time zones; the raw
//   context beside outcome and grade lets grades be recomputed.
const std::vector<std::string> kVersion1 = {
    "CREATE TABLE word("
    " id INTEGER PRIMARY KEY,"
    " english TEXT NOT NULL,"
    " chinese TEXT NOT NULL,"
    " stability REAL,"
    " difficulty REAL,"
    " last_review_day INTEGER,"
    " due_day INTEGER,"
    " reviews INTEGER NOT NULL DEFAULT 0,"
    " recalls INTEGER NOT NULL DEFAULT 0,"
    " misses INTEGER NOT NULL DEFAULT 0,"
    " UNIQUE(english, chinese))",
    "CREATE TABLE game("
    " id INTEGER PRIMARY KEY,"
    " list TEXT NOT NULL,"
    " started_ms INTEGER NOT NULL,"
    " ended_ms INTEGER)",
    "CREATE TABLE review("
    " id INTEGER PRIMARY KEY,"
    " at_ms INTEGER NOT NULL,"
    " word_id INTEGER NOT NULL REFERENCES word(id),"
    " game_id INTEGER REFERENCES game(id),"
    " outcome INTEGER NOT NULL CHECK(outcome IN (1, 2, 3)),"
    " grade INTEGER NOT NULL CHECK(grade IN (0, 1, 3)),"
    " shown TEXT NOT NULL,"
    " on_field_ms INTEGER NOT NULL,"
    " fall_interval_ms INTEGER NOT NULL,"
    " hint_ticked INTEGER NOT NULL CHECK(hint_ticked IN (0, 1)),"
    " whole_line INTEGER NOT NULL CHECK(whole_line IN (0, 1)),"
    " utc_offset INTEGER NOT NULL,"
    " day INTEGER NOT NULL)",
    "CREATE INDEX review_word ON review(word_id)",
    "CREATE INDEX review_game ON review(game_id)",
    "CREATE INDEX word_due ON word(due_day)",
};

}  // namespace

const std::vector<std::string>& MigrationStep(int version) {
  static_assert(kSchemaVersion == 1, "a new version needs its migration step here");
  if (version == 0) return kVersion1;
  throw std::out_of_range("no migration from version " + std::to_string(version));
}

std::vector<Table> ExpectedTables(int version) {
  if (version != 1) throw std::out_of_range("no schema of version " + std::to_string(version));
  return {
      {"word",
       {"id", "english", "chinese", "stability", "difficulty", "last_review_day", "due_day", "reviews", "recalls",
        "misses"}},
      {"game", {"id", "list", "started_ms", "ended_ms"}},
      {"review",
       {"id", "at_ms", "word_id", "game_id", "outcome", "grade", "shown", "on_field_ms", "fall_interval_ms",
        "hint_ticked", "whole_line", "utc_offset", "day"}},
  };
}

}  // namespace zembrot::record::schema
