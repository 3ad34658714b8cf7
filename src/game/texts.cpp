#include "game/texts.h"

#include "base/code_page.h"

namespace zembrot::texts {

#define ZEMBROT_TEXT(Name, Utf8)                          \
  const std::string& Name() {                             \
    static const std::string text = Utf8ToCodePage(Utf8); \
    return text;                                          \
  }

ZEMBROT_TEXT(StartCaption, "开 始")
ZEMBROT_TEXT(EndCaption, "结 束")
ZEMBROT_TEXT(ScorePrefix, "得分:")
ZEMBROT_TEXT(GameOver, "游戏结束,下面单词不熟练:")
ZEMBROT_TEXT(CustomContentNotice,
             "可以自己用写字板建立练习内容,每行先打英语,后打中文,中间用逗号分隔,例子文件:")
ZEMBROT_TEXT(HelpText,
             "作者邮件 zembrot.author@example.com\r"
             "软件必须有为微软朗读引擎才可以使用\r"
             "点开始后输入屏幕落下的单词,只输入英文")
ZEMBROT_TEXT(DefaultPracticeFileName, "食物.txt")
ZEMBROT_TEXT(SongFace, "宋体")
// Said once per Start when there is nothing to spawn from.
ZEMBROT_TEXT(EmptyPracticeList,
             "练习内容是空的,没有单词可以落下。\r"
             "请点菜单\"自定义练习内容\"载入练习文件:每行先打英语,后打中文,中间用逗号分隔。")

#undef ZEMBROT_TEXT

}  // namespace zembrot::texts
