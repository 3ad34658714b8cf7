#include <gtest/gtest.h>

#include <optional>

#include "learning/grading.h"

namespace zembrot::learning {
namespace {

TEST(Grading, OnlyARecallFromTheChineseAloneIsGoodAndEveryMissIsAgain) {
  const struct {
    Outcome outcome;
    bool hint_ticked;
    bool whole_line;
    Grade grade;
  } cases[] = {
      {Outcome::Recalled, false, false, Grade::Good},  {Outcome::Recalled, true, false, Grade::None},
      {Outcome::Recalled, false, true, Grade::None},   {Outcome::Recalled, true, true, Grade::None},
      {Outcome::Copied, false, false, Grade::None},    {Outcome::Copied, true, false, Grade::None},
      {Outcome::Copied, false, true, Grade::None},     {Outcome::Copied, true, true, Grade::None},
      {Outcome::Missed, false, false, Grade::Again},   {Outcome::Missed, true, false, Grade::Again},
      {Outcome::Missed, false, true, Grade::Again},    {Outcome::Missed, true, true, Grade::Again},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GradeFor(c.outcome, c.hint_ticked, c.whole_line), c.grade)
        << static_cast<int>(c.outcome) << " hint " << c.hint_ticked << " whole line " << c.whole_line;
  }
}

TEST(Grading, StoredNumbersNameOutcomes) {
  const struct {
    int number;
    std::optional<Outcome> outcome;
  } cases[] = {
      {1, Outcome::Recalled}, {2, Outcome::Copied}, {3, Outcome::Missed},
      {0, std::nullopt},      {4, std::nullopt},    {-1, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OutcomeFromNumber(c.number), c.outcome) << c.number;
  }
}

}  // namespace
}  // namespace zembrot::learning
