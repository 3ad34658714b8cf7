#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include "base/errors.h"
#include "base/system_message.h"

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

TEST(EOleSysError, MessageFallsBackToSystemTextThenToTheCode) {
  const struct {
    std::string message;
    std::uint32_t code;
    std::string expected;
  } cases[] = {
      {"", 0x8004503A, "OLE error 8004503A"},
      {"", 0x0000000A, "OLE error 0000000A"},
      {"", 0xFFFFFFFF, "OLE error FFFFFFFF"},
      {"", 0x80004005, "Unspecified error"},
      {"", 0x80070005, "Access is denied"},
      {"", 0x80070057, "The parameter is incorrect"},
      {"Own words", 0x8004503A, "Own words"},
      {"Own words.", 0x80004005, "Own words."},  // a given message is kept as it is
  };
  for (const auto& c : cases) {
    const EOleSysError error(c.message, static_cast<std::int32_t>(c.code));
    EXPECT_EQ(std::string(error.what()), c.expected) << std::hex << c.code;
    EXPECT_EQ(static_cast<std::uint32_t>(error.ErrorCode()), c.code);
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
      {"...", 0x80004005, "Unspecified error"},
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

}  // namespace
}  // namespace zembrot
