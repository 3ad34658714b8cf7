// The practice lists that ship with the game: every data/*.txt.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "base/convert.h"
#include "content/string_collection.h"
#include "content/string_list.h"
#include "content/text_encoding.h"
#include "lines_of.h"

namespace zembrot {
namespace {

using testing_lines::LinesOf;

std::vector<std::filesystem::path> ShippedLists() {
  std::vector<std::filesystem::path> lists;
  for (const auto& entry : std::filesystem::directory_iterator(ZEMBROT_DATA_DIR)) {
    if (entry.path().extension() == ".txt") lists.push_back(entry.path());
  }
  std::sort(lists.begin(), lists.end());
  return lists;
}

// Through the code page, as the game names files: path::string() may throw
// on Windows for a name outside the ANSI code page.
std::string NameOf(const std::filesystem::path& list) {
  return CodePageToUtf8(FileNameToCodePage(list.filename()));
}

bool IsEnglishByte(char byte) {
  return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || byte == ' ' || byte == '-' ||
         byte == '\'';
}

TEST(ShippedContent, FoodAndAtLeastTenThemedListsShip) {
  const std::vector<std::filesystem::path> lists = ShippedLists();
  EXPECT_GE(lists.size(), 11u);
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(ZEMBROT_DATA_DIR) / u8"食物.txt"));
}

class ShippedList : public testing::TestWithParam<std::filesystem::path> {};

TEST_P(ShippedList, IsGbkWithCrLfLineEnds) {
  SCOPED_TRACE(NameOf(GetParam()));
  std::ifstream in(GetParam(), std::ios::binary);
  ASSERT_TRUE(in);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  // A list saved as UTF-8 would still load, converted; shipped ones are GBK.
  EXPECT_EQ(DetectEncoding(bytes).encoding, TextEncoding::CodePage);
  // An invalid byte pair reads as U+FFFD and comes back as "?".
  EXPECT_TRUE(Utf8ToCodePage(CodePageToUtf8(bytes)) == bytes) << "not valid GBK";
  ASSERT_TRUE(bytes.ends_with("\r\n"));
  EXPECT_FALSE(bytes.ends_with("\r\n\r\n")) << "trailing blank line";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
    }
    if (bytes[i] == '\r') {
      ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
    }
  }
}

TEST_P(ShippedList, EveryLineIsAnEnglishWordAndItsChineseMeaning) {
  SCOPED_TRACE(NameOf(GetParam()));
  TStringList list;
  list.LoadLines(FileNameToCodePage(GetParam()));
  const std::vector<std::string> lines = LinesOf(list);
  EXPECT_GE(lines.size(), 40u);
  EXPECT_LE(lines.size(), 60u);
  ASSERT_FALSE(lines.empty());
  EXPECT_FALSE(lines.back().empty()) << "trailing blank line";
  const TStringCollection helpers;
  std::set<std::string> english;
  std::set<std::string> meanings;
  for (const std::string& line : lines) {
    const std::string word = Trim(helpers.TextBefore(",", line, 0));
    const std::string meaning = Trim(helpers.TextAfter(",", line, 0));
    EXPECT_FALSE(word.empty()) << "line: " << CodePageToUtf8(line);
    EXPECT_TRUE(std::ranges::all_of(word, IsEnglishByte)) << "english: " << word;
    // The game matches what is typed without regard to case.
    EXPECT_TRUE(english.insert(AsciiLower(word)).second) << "twice: " << word;
    // Chinese only: double-byte characters, so no second comma and no "?"
    // left by a failed conversion.
    EXPECT_FALSE(meaning.empty()) << "meaning of " << word;
    EXPECT_EQ(meaning.size() % 2, 0u) << word;
    EXPECT_TRUE(std::ranges::all_of(meaning, [](char byte) { return static_cast<unsigned char>(byte) >= 0x81; }))
        << "meaning of " << word;
    // The player sees only the meaning: two words sharing one cannot be told
    // apart.
    EXPECT_TRUE(meanings.insert(meaning).second) << "meaning twice: " << CodePageToUtf8(meaning);
  }
}

INSTANTIATE_TEST_SUITE_P(DataFolder, ShippedList, testing::ValuesIn(ShippedLists()),
                         [](const testing::TestParamInfo<std::filesystem::path>& param) {
                           return "list" + std::to_string(param.index);
                         });

}  // namespace
}  // namespace zembrot
