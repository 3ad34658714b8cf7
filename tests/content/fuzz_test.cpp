// Random byte strings, from a fixed seed, through the line splitting and the
// text operations; each result is checked against rules that hold for every
// input.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "content/line_splitter.h"
#include "content/string_collection.h"
#include "content/string_list.h"
#include "content/text_encoding.h"

namespace zembrot {
namespace {

constexpr int kRounds = 20000;

// Bytes that matter to the rules turn up far more often than by chance.
class ByteSource {
 public:
  explicit ByteSource(unsigned seed) : engine_(seed) {}

  std::string Text(std::size_t most) {
    std::string text(Below(most + 1), '\0');
    for (char& byte : text) byte = Byte();
    return text;
  }

  std::size_t Below(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(engine_); }

 private:
  char Byte() {
    static constexpr unsigned char kInteresting[] = {0,    '\r', '\n', ',',  ';',  ':',  'a',  'A',  'z',
                                                     ' ',  0xC6, 0xBB, 0xA3, 0xE1, 0xA7, 0xD1, 0x81, 0xFF,
                                                     0xEF, 0xFE, 0xE8, 0x8B, 0xB9, 0x80};
    if (Below(4) == 0) return static_cast<char>(Below(256));
    return static_cast<char>(kInteresting[Below(sizeof kInteresting)]);
  }

  std::mt19937 engine_;
};

// The line rules, one byte at a time, as plainly as they can be said.
std::vector<std::string> ReferenceLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t i = 0;
  const auto at = [&](std::size_t position) { return position < text.size() ? text[position] : '\0'; };
  while (at(i) != '\0') {
    std::string line;
    while (at(i) != '\0' && at(i) != '\n' && at(i) != '\r') line += text[i++];
    lines.push_back(line);
    if (at(i) == '\r') ++i;
    if (at(i) == '\n') ++i;
  }
  return lines;
}

TEST(Fuzz, SplitIntoLinesFollowsTheLineRules) {
  ByteSource source(20240601);
  for (int round = 0; round < kRounds; ++round) {
    const std::string text = source.Text(48);
    TStringList list;
    list.SplitIntoLines(text);
    const std::vector<std::string> expected = ReferenceLines(text);
    ASSERT_EQ(list.LineCount(), static_cast<int>(expected.size())) << testing::PrintToString(text);
    for (int i = 0; i < list.LineCount(); ++i) {
      const std::string line = list.LineAt(i);
      ASSERT_EQ(line.find_first_of(std::string("\r\n\0", 3)), std::string::npos) << testing::PrintToString(text);
      ASSERT_EQ(line, expected[static_cast<std::size_t>(i)]) << testing::PrintToString(text);
    }
    // Joining and splitting again gives the same lines.
    TStringList again;
    again.SplitIntoLines(list.JoinedText());
    ASSERT_EQ(again.JoinedText(), list.JoinedText());
  }
}

// Long runs of list operations against a plain vector of strings: lines that
// are replaced, deleted and appended must read back the same, however the
// list keeps its bytes.
TEST(Fuzz, ListOperationsMatchAPlainVector) {
  ByteSource source(31337);
  for (int run = 0; run < 40; ++run) {
    TStringList list;
    std::vector<std::string> model;
    for (int step = 0; step < 600; ++step) {
      const std::size_t choice = source.Below(20);
      const std::string line = source.Text(choice == 0 ? 300 : 12);
      if (choice == 19) {
        const std::string text = source.Text(80);
        list.SplitIntoLines(text);
        model = ReferenceLines(text);
      } else if (choice < 8 || model.empty()) {
        list.AppendLine(line);
        model.push_back(line);
      } else if (choice < 14) {
        const std::size_t index = source.Below(model.size());
        list.SetLine(static_cast<int>(index), line);
        model[index] = line;
      } else {
        const std::size_t index = source.Below(model.size());
        list.DeleteLine(static_cast<int>(index));
        model.erase(model.begin() + static_cast<std::ptrdiff_t>(index));
      }
      ASSERT_EQ(list.LineCount(), static_cast<int>(model.size()));
      std::string joined;
      for (const std::string& expected : model) joined += expected + "\r\n";
      ASSERT_EQ(list.JoinedText(), joined) << "run " << run << " step " << step;
    }
  }
}

TEST(Fuzz, ConvertedFilesStillFollowTheLineRules) {
  ByteSource source(7);
  const std::string marks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
  for (int round = 0; round < kRounds / 4; ++round) {
    const std::string bytes = marks[source.Below(4)] + source.Text(40);
    const DetectedEncoding encoding = DetectEncoding(bytes);
    const std::string text = ConvertToCodePage(bytes, encoding);
    if (encoding.encoding == TextEncoding::CodePage) {
      ASSERT_EQ(text, bytes);
    }
    for (const LineSpan& span : FindLines(text)) {
      const std::string line = text.substr(span.offset, span.length);
      ASSERT_EQ(line.find_first_of(std::string("\r\n\0", 3)), std::string::npos) << testing::PrintToString(bytes);
    }
  }
}

TEST(Fuzz, TextBeforeSeparatorAndTextAfterRebuildTheText) {
  ByteSource source(42);
  const TStringCollection helpers;
  for (int round = 0; round < kRounds; ++round) {
    const std::string text = source.Text(24);
    const std::string sep = source.Text(3);
    const int from = static_cast<int>(source.Below(30)) - 2;
    const std::string before = helpers.TextBefore(sep, text, from);
    const std::string after = helpers.TextAfter(sep, text, from);
    const int position = helpers.Search(sep, text, from, false);
    const auto start = static_cast<std::size_t>(std::max(from, 1));
    if (position == 0) {
      ASSERT_EQ(before, text);
      ASSERT_EQ(after, "");
      ASSERT_TRUE(sep.empty() || start > text.size() || text.find(sep, start - 1) == std::string::npos);
    } else {
      ASSERT_EQ(before + sep + after, text) << testing::PrintToString(text) << " " << testing::PrintToString(sep);
      // The first occurrence at or after the start, and no earlier one there.
      ASSERT_EQ(static_cast<std::size_t>(position), text.find(sep, start - 1) + 1);
    }
  }
}

TEST(Fuzz, UpperTextKeepsLengthAndCaseBlindSearchAgrees) {
  ByteSource source(99);
  const TStringCollection helpers;
  for (int round = 0; round < kRounds; ++round) {
    const std::string text = source.Text(24);
    const std::string upper = helpers.UpperText(text);
    ASSERT_EQ(upper.size(), text.size());
    ASSERT_EQ(helpers.UpperText(upper), upper) << testing::PrintToString(text);
    // Only lower-case letters change: single bytes a..z, or the trail byte of
    // a double-byte letter, which then has the same lead byte.
    for (std::size_t i = 0; i < text.size(); i += CodePageCharLength(text, i)) {
      const std::size_t length = CodePageCharLength(text, i);
      if (length == 1 && upper[i] != text[i]) {
        ASSERT_TRUE(text[i] >= 'a' && text[i] <= 'z');
      }
      if (length == 2) {
        ASSERT_EQ(upper[i], text[i]);
      }
    }
    const std::string sub = source.Text(3);
    ASSERT_EQ(helpers.Search(sub, text, 0, true), helpers.Search(helpers.UpperText(sub), upper, 0, false));
  }
}

}  // namespace
}  // namespace zembrot
