#include <gtest/gtest.h>

#include <string>

#include "base/convert.h"
#include "base/errors.h"

namespace zembrot {
namespace {

TEST(StrToInt, ReadsIntegers) {
  const struct {
    std::string text;
    int value;
  } cases[] = {
      {"0", 0},
      {"7", 7},
      {"42", 42},
      {"007", 7},
      {"-1", -1},
      {"+5", 5},
      {"  12", 12},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"$1F", 31},
      {"$ff", 255},
      {"0x10", 16},
      {"0X10", 16},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"$80000000", -2147483647 - 1},
      {"00000000000000000003", 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
  }
}

TEST(StrToInt, RefusesWhatIsNoIntegerWithTheTextInTheMessage) {
  const std::string cases[] = {
      "",     " ",        "-",          "+",           "$",          "0x",        "abc",
      "12a",  "12 ",      "1 2",        "1.5",         "--1",        "\t5",       "$G",
      "1e3",  "2147483648", "-2147483649", "99999999999", "$100000000", "-$FFFFFFFF", "3;4",
      "\xC6\xBB",
  };
  for (const std::string& text : cases) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "no error for " << testing::PrintToString(text);
    } catch (const EConvertError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a valid integer value");
    }
  }
}

TEST(Trim, RemovesBytesUpToSpaceAtBothEndsOnly) {
  const struct {
    std::string text;
    std::string trimmed;
  } cases[] = {
      {"", ""},
      {"   ", ""},
      {" apple ", "apple"},
      {"\t\r\n ice cream \x01", "ice cream"},
      {std::string("\0a\0", 3), "a"},
      {"a b", "a b"},
      {"\xA1\xA1" "x" "\xA1\xA1", "\xA1\xA1" "x" "\xA1\xA1"},  // full-width space stays
      {"\x7F" "a" "\x7F", "\x7F" "a" "\x7F"},
      {" \xC6\xBB\xB9\xFB ", "\xC6\xBB\xB9\xFB"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Trim(c.text), c.trimmed) << testing::PrintToString(c.text);
  }
}

TEST(AsciiLower, LowersOnlyAsciiCapitals) {
  EXPECT_EQ(AsciiLower("ApPLE Z@[`"), "apple z@[`");
  EXPECT_EQ(AsciiLower("\xA3\xC1"), "\xA3\xC1");  // full-width capital stays
}

}  // namespace
}  // namespace zembrot
