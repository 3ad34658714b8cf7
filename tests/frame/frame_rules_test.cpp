// The frame's text rules: the application title, the error report's full
// stop, the notice metrics' rounding and its clipboard text, and the guard
// every handler runs in.

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/errors.h"
#include "frame/application.h"
#include "frame/message_form.h"
#include "frame/message_form_dialog.h"
#include "frame_test_support.h"

namespace zembrot {
namespace {

struct TitleCase {
  const char* path;
  const char* title;
};

TEST(TitleFromExecutablePathTest, FileNameCutAtFirstDotAndLowerCasedAfterFirstCharacter) {
  const std::vector<TitleCase> cases = {
      {"SPELL.EXE", "Spell"},
      {"word game.exe", "word game"},
      {"C:\\Program Files\\Games\\SPELL.EXE", "Spell"},
      {"/usr/local/bin/word game.exe", "word game"},
      {"/opt/zembrot/zembrot", "zembrot"},
      {"/opt/zembrot/ZEMBROT", "Zembrot"},
      {"C:\\Games\\SPELL", "Spell"},
      {"C:/mixed\\separators/WORD.Exe", "Word"},
      {"D:\\a.b\\My.Game.exe", "My"},
      {"/home/player/.hidden", ""},
      {"/home/player/", ""},
      {"", ""},
      {"x", "x"},
      {"/a/X1-TYPING_Game.bin", "X1-typing_game"},
      // GBK: a Chinese name keeps its characters.
      {"C:\\\xB4\xF2\xD7\xD6.exe", "\xB4\xF2\xD7\xD6"},
      // GBK character with a backslash as trail byte is no separator.
      {"C:\\\x81\x5C" "ABC.EXE", "\x81\x5C" "abc"},
      // Full-width Latin and Cyrillic capitals are lower-cased too.
      {"X\xA3\xC1" "B.exe", "X\xA3\xE1" "b"},
      {"\xA7\xA8\xA7\xA8.exe", "\xA7\xA8\xA7\xD8"},
  };
  for (const TitleCase& testCase : cases) {
    EXPECT_EQ(TitleFromExecutablePath(testCase.path), testCase.title) << "path: " << testCase.path;
  }
}

TEST(TitleFromExecutablePathTest, TitleIsAtMost255BytesAndKeepsWholeCharacters) {
  EXPECT_EQ(TitleFromExecutablePath("/bin/" + std::string(300, 'A')), "A" + std::string(254, 'a'));
  // 128 double-byte characters: the title stops before the half character.
  std::string chinese;
  for (int count = 0; count < 128; ++count) chinese += "\xB4\xF2";
  EXPECT_EQ(TitleFromExecutablePath(chinese).size(), 254u);
}

struct FullStopCase {
  const char* message;
  const char* shown;
};

TEST(WithFullStopTest, FullStopOnlyAfterCharactersAboveTheFullStop) {
  const std::vector<FullStopCase> cases = {
      {"abc", "abc."},
      {"abc!", "abc!"},
      {"abc.", "abc."},
      {"abc)", "abc)"},
      {"abc,", "abc,"},
      {"abc-", "abc-"},
      {"abc ", "abc "},
      {"abc\"", "abc\""},
      {"abc:", "abc:."},
      {"abc/", "abc/."},
      {"Code 42", "Code 42."},
      {"List index out of bounds (3)", "List index out of bounds (3)"},
      {"", ""},
      {".", "."},
      {"Z", "Z."},
      // A Chinese last character compares above "." byte by byte.
      {"\xC6\xBB\xB9\xFB", "\xC6\xBB\xB9\xFB."},
      {"abc\xA1\xA3", "abc\xA1\xA3."},
      // A stray lead byte at the end is a character of its own.
      {"abc\x81", "abc\x81."},
  };
  for (const FullStopCase& testCase : cases) {
    EXPECT_EQ(WithFullStop(testCase.message), testCase.shown) << "message: " << testCase.message;
  }
}

struct MulDivCase {
  int a, b, c, result;
};

TEST(MulDivTest, RoundsToNearestHalvesAwayFromZero) {
  const std::vector<MulDivCase> cases = {
      {8, 6, 4, 12},   {8, 13, 8, 13},  {10, 13, 8, 16}, {14, 13, 8, 23}, {50, 6, 4, 75},
      {10, 15, 8, 19}, {14, 15, 8, 26}, {1, 1, 2, 1},    {3, 5, 2, 8},    {-1, 1, 2, -1},
      {-3, 5, 2, -8},  {7, 1, 3, 2},    {8, 1, 3, 3},    {0, 9, 5, 0},    {5, 5, 0, -1},
  };
  for (const MulDivCase& testCase : cases) {
    EXPECT_EQ(MulDiv(testCase.a, testCase.b, testCase.c), testCase.result)
        << testCase.a << " x " << testCase.b << " / " << testCase.c;
  }
}

TEST(NoticeClipboardTextTest, DividersCaptionTextAndButtons) {
  const std::string divider = "---------------------------\r\n";
  struct Case {
    const char* caption;
    const char* text;
  };
  const std::vector<Case> cases = {
      {"Spell", "abc"},
      {"Zembrot", ""},
      {"Zembrot", "line one\rline two"},
      {"\xB4\xF2\xD7\xD6", "\xC6\xBB\xB9\xFB & more"},
  };
  for (const Case& testCase : cases) {
    EXPECT_EQ(NoticeClipboardText(testCase.caption, testCase.text),
              divider + testCase.caption + "\r\n" + divider + testCase.text + "\r\n" + divider + "OK   \r\n" +
                  divider);
  }
  EXPECT_EQ(divider.size(), 29u);
}

TEST(RunGuardedTest, EveryEscapingErrorReachesTheReportAndTheCallerGoesOn) {
  struct Case {
    const char* name;
    std::function<void()> handler;
    std::vector<std::string> reported;
  };
  const std::vector<Case> cases = {
      {"no error", [] {}, {}},
      {"program error", [] { throw EFOpenError("/x/a.txt", "No such file or directory"); },
       {"Cannot open file \"/x/a.txt\". No such file or directory"}},
      {"list error", [] { throw EStringListError(5); }, {"List index out of bounds (5)"}},
      {"silent abort still reaches the report", [] { throw EAbort("Operation aborted"); }, {"Operation aborted"}},
      {"standard error", [] { throw std::runtime_error("broken"); }, {"broken"}},
      {"anything else", [] { throw 42; }, {"Unknown error"}},
      {"empty handler", nullptr, {}},
  };
  for (const Case& testCase : cases) {
    testing_support::RecordedErrors errors;
    bool returned = false;
    RunGuarded(testCase.handler);
    returned = true;
    EXPECT_TRUE(returned);
    EXPECT_EQ(errors.messages, testCase.reported) << testCase.name;
  }
}

TEST(RunGuardedTest, FailingReporterDoesNotEscape) {
  SetErrorReporter([](const std::exception&) { throw std::runtime_error("report failed"); });
  EXPECT_NO_THROW(RunGuarded([] { throw std::runtime_error("first"); }));
  SetErrorReporter(nullptr);
}

}  // namespace
}  // namespace zembrot
