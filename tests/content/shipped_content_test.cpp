// The practice list that ships with the game.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "base/code_page.h"
#include "base/convert.h"
#include "content/str_con.h"
#include "content/string_list.h"
#include "content/text_encoding.h"

namespace zembrot {
namespace {

const std::string kDefaultList = std::string(ZEMBROT_DATA_DIR) + "/\xCA\xB3\xCE\xEF.txt";  // 食物.txt

TEST(ShippedContent, DefaultListIsGbkWithCrLfLineEnds) {
  std::ifstream in(CodePageToFileName(kDefaultList), std::ios::binary);
  ASSERT_TRUE(in) << "missing " << CodePageToUtf8(kDefaultList);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(DetectEncoding(bytes).encoding, TextEncoding::CodePage);
  ASSERT_TRUE(bytes.ends_with("\r\n"));
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
    }
    if (bytes[i] == '\r') {
      ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
    }
  }
}

TEST(ShippedContent, EveryLineIsAnEnglishWordAndItsChineseMeaning) {
  TStringList list;
  list.LoadLines(kDefaultList);
  ASSERT_GE(list.LineCount(), 40);
  const TStringCollection helpers;
  std::set<std::string> english;
  for (int i = 0; i < list.LineCount(); ++i) {
    const std::string line = list.LineAt(i);
    const std::string word = Trim(helpers.TextBefore(",", line, 0));
    const std::string meaning = Trim(helpers.TextAfter(",", line, 0));
    EXPECT_FALSE(word.empty()) << i;
    for (const char byte : word) {
      EXPECT_TRUE((byte >= 'a' && byte <= 'z') || byte == ' ') << "line " << i << ": " << word;
    }
    EXPECT_TRUE(english.insert(word).second) << "twice: " << word;
    // Chinese only: double-byte characters, none of them a "?" left by a
    // failed conversion.
    ASSERT_FALSE(meaning.empty()) << i;
    EXPECT_EQ(meaning.size() % 2, 0u) << i;
    for (const char byte : meaning) EXPECT_GE(static_cast<unsigned char>(byte), 0x81) << "line " << i;
  }
}

}  // namespace
}  // namespace zembrot
