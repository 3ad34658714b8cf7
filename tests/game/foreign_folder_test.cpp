// Practice lists in folders whose names have characters the code page
// lacks (Korean, an emoji, Thai, a Latin ñ): they load at start and through
// the open dialog, and a list that really is missing is still reported.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "base/code_page.h"
#include "content/string_list.h"
#include "frame/menu.h"
#include "game_fixture.h"

namespace zembrot::testing {
namespace {

namespace fs = std::filesystem;

struct FolderCase {
  const char* name;
  const char8_t* folder;
  const char* shownFolder;  // the folder's name in code-page bytes
};

class ForeignFolderTest : public GameTest, public ::testing::WithParamInterface<FolderCase> {
 protected:
  // A folder of that name holding `file` (GBK lines, CR LF).
  fs::path WriteList(const fs::path& file, const std::vector<std::string>& utf8Lines) {
    const fs::path folder = folder_ / fs::path(GetParam().folder);
    fs::create_directories(folder);
    std::ofstream out(folder / file, std::ios::binary);
    for (const std::string& line : utf8Lines) out << G(line) << "\r\n";
    return folder / file;
  }
};

TEST_P(ForeignFolderTest, DefaultListLoadsAtStart) {
  const fs::path list = WriteList(fs::path(u8"食物.txt"), {"milk,牛奶", "egg,鸡蛋"});
  form_.reset();
  fs::current_path(list.parent_path());
  form_ = CreateMainWindow();
  EXPECT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(PracticeLines(), (std::vector<std::string>{G("milk,牛奶"), G("egg,鸡蛋")}));
}

TEST_P(ForeignFolderTest, ChosenListLoadsThroughTheOpenDialog) {
  const fs::path list = WriteList("other.txt", {"fish,鱼"});
  services_.openDialogFiles.push_back(list);
  form_->N3->Click();
  EXPECT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(PracticeLines(), std::vector<std::string>{G("fish,鱼")});

  // A file that really is missing: the usual box, with the path shown in
  // code-page bytes; the list stays.
  services_.openDialogFiles.push_back(list.parent_path() / "missing.txt");
  form_->N3->Click();
  ASSERT_EQ(errors_.size(), 1u);
  const std::string shown = FileNameToCodePage(folder_) + "/" + GetParam().shownFolder + "/missing.txt";
  EXPECT_EQ(errors_.at(0).rfind("Cannot open file \"" + shown + "\". ", 0), 0u) << errors_.at(0);
  EXPECT_EQ(PracticeLines(), std::vector<std::string>{G("fish,鱼")});
}

INSTANTIATE_TEST_SUITE_P(Table, ForeignFolderTest,
                         ::testing::Values(FolderCase{"Korean", u8"문서", "??"},
                                           FolderCase{"Emoji", u8"lists😀", "lists?"},
                                           FolderCase{"Thai", u8"ภาษาไทย", "???????"},
                                           FolderCase{"Spanish", u8"mañana", "ma?ana"}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace zembrot::testing
