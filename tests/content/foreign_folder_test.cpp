// Practice files in folders whose names have characters the code page
// lacks: opened by the name the system gave, they load; the code-page form
// of their path (with "?" for those characters) is only what a message
// shows.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "base/code_page.h"
#include "base/errors.h"
#include "content/string_list.h"
#include "lines_of.h"

namespace zembrot {
namespace {

namespace fs = std::filesystem;
using testing_lines::Lines;
using testing_lines::LinesOf;

struct FolderCase {
  const char* name;
  const char8_t* folder;
  const char* shownFolder;  // the folder's name in code-page bytes
};

class ForeignFolderTest : public testing::TestWithParam<FolderCase> {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("zembrot-folders-" + std::to_string(std::random_device{}()));
    folder_ = root_ / fs::path(GetParam().folder);
    ASSERT_TRUE(fs::create_directories(folder_));
    std::ofstream(folder_ / fs::path(u8"食物.txt"), std::ios::binary) << "rice,\xC3\xD7\r\negg\r\n";
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  // The path as messages show it: the root as it is, the folder in code-page bytes.
  std::string Shown(const std::string& file) const {
    return FileNameToCodePage(root_) + PathSeparator() + GetParam().shownFolder + PathSeparator() + file;
  }

  fs::path root_;
  fs::path folder_;
};

TEST_P(ForeignFolderTest, FileLoadsByTheSystemsNameAndMessagesShowTheCodePageForm) {
  const std::string shown = Shown("\xCA\xB3\xCE\xEF.txt");
  ASSERT_EQ(FileNameToCodePage(folder_ / fs::path(u8"食物.txt")), shown);

  TStringList list;
  list.LoadLines(folder_ / fs::path(u8"食物.txt"), shown);
  EXPECT_EQ(LinesOf(list), (Lines{"rice,\xC3\xD7", "egg"}));
  // A file that really is missing is reported by its shown path.
  try {
    list.LoadLines(folder_ / "missing.txt", Shown("missing.txt"));
    ADD_FAILURE() << "a missing file loaded";
  } catch (const EFOpenError& error) {
    EXPECT_EQ(error.Message().rfind("Cannot open file \"" + Shown("missing.txt") + "\". ", 0), 0u) << error.Message();
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ForeignFolderTest,
                         testing::Values(FolderCase{"Korean", u8"문서", "??"},
                                         FolderCase{"Emoji", u8"lists😀", "lists?"},
                                         FolderCase{"Thai", u8"ภาษาไทย", "???????"},
                                         FolderCase{"Spanish", u8"mañana", "ma?ana"}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace zembrot
