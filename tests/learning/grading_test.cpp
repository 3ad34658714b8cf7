#include <gtest/gtest.h>

#include <optional>

#include "learning/grading.h"

namespace zembrot::learning {
namespace {

// From the number an outcome is stored as, and what the screen showed, to
// the grade: only a recall from the Chinese alone is Good, every miss is
// Again, and a number that names no outcome is none.
TEST(Grading, OnlyARecallFromTheChineseAloneIsGoodAndEveryMissIsAgain) {
  const struct {
    int outcome;
    bool hint_ticked;
    bool whole_line;
    std::optional<Grade> grade;  // none: no such outcome
  } cases[] = {
      {1, false, false, Grade::Good},  {1, true, false, Grade::None},  {1, false, true, Grade::None},
      {2, false, false, Grade::None},  {2, true, true, Grade::None},   {3, false, false, Grade::Again},
      {3, true, false, Grade::Again},  {3, false, true, Grade::Again}, {0, false, false, std::nullopt},
      {4, false, false, std::nullopt}, {-1, false, false, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.outcome << " hint " << c.hint_ticked << " whole line " << c.whole_line);
    const std::optional<Outcome> outcome = OutcomeFromNumber(c.outcome);
    EXPECT_EQ(outcome.has_value(), c.grade.has_value());
    if (outcome && c.grade) {
      EXPECT_EQ(GradeFor(*outcome, c.hint_ticked, c.whole_line), *c.grade);
    }
  }
}

}  // namespace
}  // namespace zembrot::learning
