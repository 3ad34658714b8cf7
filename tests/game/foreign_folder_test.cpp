// Practice lists in a folder whose name has characters the code page lacks
// (문서, "??" in code-page bytes): they load at start and through the open
// dialog, and a list that really is missing is still reported. How each
// kind of such name looks in code-page bytes is the content tests' business.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "base/code_page.h"
#include "frame/menu.h"
#include "game_fixture.h"

namespace zembrot::testing {
namespace {

namespace fs = std::filesystem;

class ForeignFolderTest : public GameTest {
 protected:
  // `file` in the folder 문서 (GBK lines, CR LF).
  fs::path WriteList(const fs::path& file, const std::vector<std::string>& utf8Lines) {
    const fs::path folder = folder_ / fs::path(u8"문서");
    fs::create_directories(folder);
    std::ofstream out(folder / file, std::ios::binary);
    for (const std::string& line : utf8Lines) out << G(line) << "\r\n";
    return folder / file;
  }
};

TEST_F(ForeignFolderTest, DefaultListLoadsAtStart) {
  const fs::path list = WriteList(fs::path(u8"食物.txt"), {"milk,牛奶", "egg,鸡蛋"});
  form_.reset();
  fs::current_path(list.parent_path());
  form_ = CreateMainWindow();
  EXPECT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(PracticeLines(), (std::vector<std::string>{G("milk,牛奶"), G("egg,鸡蛋")}));
}

TEST_F(ForeignFolderTest, ChosenListLoadsThroughTheOpenDialog) {
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
  const std::string shown = FileNameToCodePage(folder_) + "/?\?/missing.txt";
  EXPECT_EQ(errors_.at(0).rfind("Cannot open file \"" + shown + "\". ", 0), 0u) << errors_.at(0);
  EXPECT_EQ(PracticeLines(), std::vector<std::string>{G("fish,鱼")});
}

}  // namespace
}  // namespace zembrot::testing
