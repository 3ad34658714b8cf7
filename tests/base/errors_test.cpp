#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include "base/code_page.h"
#include "base/errors.h"
#include "base/system_message.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zembrot {
namespace {

TEST(Errors, MessagesOfTheFileAndListErrors) {
  EXPECT_STREQ(EFOpenError("/abs/path/x.txt", "No such file or directory").what(),
               "Cannot open file \"/abs/path/x.txt\". No such file or directory");
  EXPECT_STREQ(EFOpenError("/data/\xCA\xB3\xCE\xEF.txt", "").what(),
               "Cannot open file \"/data/\xCA\xB3\xCE\xEF.txt\". ");
  const struct {
    int index;
    const char* message;
  } cases[] = {
      {-1, "List index out of bounds (-1)"},
      {0, "List index out of bounds (0)"},
      {3, "List index out of bounds (3)"},
      {2147483647, "List index out of bounds (2147483647)"},
      {-2147483647 - 1, "List index out of bounds (-2147483648)"},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(EStringListError(c.index).what(), c.message);
  }
}

TEST(Errors, EveryErrorReachesThePlayerInTheProgramsWords) {
  struct Case {
    std::shared_ptr<std::exception> error;
    std::string message;
  };
  const std::vector<Case> cases = {
      {std::make_shared<EStringListError>(2), "List index out of bounds (2)"},
      {std::make_shared<EOutOfMemory>("/big.txt", 68719476736u),
       "Not enough memory to load file \"/big.txt\" (68719476736 bytes)"},
      {std::make_shared<EOutOfMemory>("/proc/x", 4096u, true),
       "Not enough memory to load file \"/proc/x\" (at least 4096 bytes)"},
      {std::make_shared<std::bad_alloc>(), "Out of memory"},
      {std::make_shared<std::bad_array_new_length>(), "Out of memory"},
      {std::make_shared<std::length_error>("basic_string::_M_create"), "Out of memory"},
      {std::make_shared<std::runtime_error>("broken"), "broken"},
      {std::make_shared<std::out_of_range>("vector::_M_range_check"), "Internal error (vector::_M_range_check)"},
      {std::make_shared<std::bad_cast>(), "Internal error (std::bad_cast)"},
      {std::make_shared<std::exception>(), "Internal error (std::exception)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ErrorMessageOf(*c.error), c.message);
  }
}

TEST(Errors, FileOpenErrorIsCaughtAsEveryClassAboveIt) {
  const auto raise = [] { throw EFOpenError("/x", "y"); };
  EXPECT_THROW(raise(), EFileStreamError);
  EXPECT_THROW(raise(), EStreamError);
  EXPECT_THROW(raise(), Exception);
  EXPECT_THROW(raise(), std::exception);
  const auto raiseOle = [] { throw EOleException("d", 1, "", ""); };
  EXPECT_THROW(raiseOle(), EOleSysError);
  EXPECT_THROW(raiseOle(), EOleError);
}

TEST(TrimTrailingBlanksAndStops, Table) {
  const struct {
    std::string text;
    std::string trimmed;
  } cases[] = {
      {"", ""},
      {"Access is denied.", "Access is denied"},
      {"Done...", "Done"},
      {"Text. \r\n", "Text"},
      {" . . ", ""},
      {"v1.0 ok", "v1.0 ok"},
      {"\xB4\xED\xCE\xF3\xA1\xA3", "\xB4\xED\xCE\xF3\xA1\xA3"},  // full-width stop stays
      {" lead", " lead"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TrimTrailingBlanksAndStops(c.text), c.trimmed) << testing::PrintToString(c.text);
  }
}

// Result codes every platform has a text for (in its own language, so the
// tests compare with the platform's text rather than with English words).
constexpr std::uint32_t kCodesWithSystemText[] = {0x80004001, 0x80004005, 0x80070005, 0x80070057, 0x8007000E};

// The platform's text for the code, as a message shows it.
std::string TrimmedSystemText(std::uint32_t code) {
  return TrimTrailingBlanksAndStops(SystemMessageForCode(static_cast<std::int32_t>(code)));
}

TEST(SystemMessageForCode, GivesTextForTheCommonCodesAndNoneForUnknownOnes) {
  for (std::uint32_t code : kCodesWithSystemText) {
    const std::string text = SystemMessageForCode(static_cast<std::int32_t>(code));
    EXPECT_FALSE(TrimTrailingBlanksAndStops(text).empty()) << std::hex << code;
    EXPECT_LE(text.size(), 255u) << std::hex << code;
  }
  // Codes of the speech engine's own and a code of no facility at all.
  for (std::uint32_t code : {0x8004503Au, 0x0004503Au, 0xFFFFFFFFu}) {
    EXPECT_EQ(SystemMessageForCode(static_cast<std::int32_t>(code)), "") << std::hex << code;
  }
}

TEST(EOleSysError, MessageFallsBackToSystemTextThenToTheCode) {
  const struct {
    std::string message;
    std::uint32_t code;
    std::string expected;
  } cases[] = {
      {"", 0x8004503A, "OLE error 8004503A"},
      {"", 0x0004503A, "OLE error 0004503A"},
      {"", 0xFFFFFFFF, "OLE error FFFFFFFF"},
      {"Own words", 0x8004503A, "Own words"},
      {"Own words.", 0x80004005, "Own words."},  // a given message is kept as it is
  };
  for (const auto& c : cases) {
    const EOleSysError error(c.message, static_cast<std::int32_t>(c.code));
    EXPECT_EQ(std::string(error.what()), c.expected) << std::hex << c.code;
    EXPECT_EQ(static_cast<std::uint32_t>(error.ErrorCode()), c.code);
  }
  for (std::uint32_t code : kCodesWithSystemText) {
    const EOleSysError error("", static_cast<std::int32_t>(code));
    const std::string message = error.what();
    const std::string systemText = SystemMessageForCode(static_cast<std::int32_t>(code));
    // The system's text with its trailing blanks and full stops cut off,
    // and nothing else changed.
    ASSERT_FALSE(message.empty()) << std::hex << code;
    EXPECT_TRUE(systemText.starts_with(message)) << std::hex << code;
    EXPECT_EQ(systemText.substr(message.size()).find_first_not_of(" .\r\n\t"), std::string::npos)
        << std::hex << code;
    EXPECT_NE(message.back(), '.') << std::hex << code;
    EXPECT_GT(static_cast<unsigned char>(message.back()), 32) << std::hex << code;
    EXPECT_EQ(static_cast<std::uint32_t>(error.ErrorCode()), code);
  }
}

TEST(EOleException, DescriptionLosesTrailingBlanksAndStopsBeforeTheFallback) {
  const struct {
    std::string description;
    std::uint32_t code;
    std::string expected;
  } cases[] = {
      {"The voice failed.", 0x8004503A, "The voice failed"},
      {"Bad format. \r\n", 0x8004503A, "Bad format"},
      {"Stop..\t.", 0x8004503A, "Stop"},
      {"a.b", 0x8004503A, "a.b"},
      {"", 0x8004503A, "OLE error 8004503A"},
      {" . \r\n", 0x8004503A, "OLE error 8004503A"},
      {"...", 0x80004005, TrimmedSystemText(0x80004005)},  // nothing left: the system's text
      {"\xD3\xEF\xD2\xF4\xA1\xA3 ", 0x8004503A, "\xD3\xEF\xD2\xF4\xA1\xA3"},  // 语音。: full-width stop stays
      {"\xD3\xEF.", 0x8004503A, "\xD3\xEF"},
  };
  for (const auto& c : cases) {
    const EOleException error(c.description, static_cast<std::int32_t>(c.code), "Source", "help.hlp", 7);
    EXPECT_EQ(std::string(error.what()), c.expected) << testing::PrintToString(c.description);
  }
  const EOleException error("x", 5, "SAPI.SpVoice", "sapi.chm", 12);
  EXPECT_EQ(error.Source(), "SAPI.SpVoice");
  EXPECT_EQ(error.HelpFile(), "sapi.chm");
  EXPECT_EQ(error.HelpContext(), 12);
}

TEST(SystemErrorText, IsTheSystemsTextWithoutTrailingStop) {
#ifndef _WIN32
  EXPECT_EQ(SystemErrorText(ENOENT), "No such file or directory");
  EXPECT_EQ(SystemErrorText(EISDIR), "Is a directory");
  EXPECT_EQ(SystemErrorText(EACCES), "Permission denied");
#endif
  for (int errorNumber : {1, 2, 5, 13, 21, 22}) {
    const std::string text = SystemErrorText(errorNumber);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '.');
    EXPECT_GT(static_cast<unsigned char>(text.back()), 32);
  }
}

#ifdef _WIN32
TEST(SystemMessageForCode, IsTheSystemsWideTextInTheGamesCodePage) {
  // Whatever code page the system runs in, the text comes in GBK: read back
  // as GBK it is the system's own wide text.
  for (DWORD code : {DWORD{ERROR_FILE_NOT_FOUND}, DWORD{ERROR_ACCESS_DENIED}}) {
    wchar_t buffer[256] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                        0, buffer, 256, nullptr);
    ASSERT_GT(length, 0u);
    const std::u16string wide(reinterpret_cast<const char16_t*>(buffer), length);
    EXPECT_EQ(CodePageToUtf16(SystemMessageForCode(static_cast<std::int32_t>(code))), wide);
  }
}
#endif

}  // namespace
}  // namespace zembrot
