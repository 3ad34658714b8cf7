#pragma once

// The game's own texts as code-page bytes. They are written here in UTF-8
// and converted to the system code page once, at first use
// (Utf8ToCodePage), so the sources stay readable.

#include <string>

namespace zembrot::texts {

const std::string& StartCaption();         // "开 始"
const std::string& EndCaption();           // "结 束"
const std::string& ScorePrefix();          // "得分:"
const std::string& GameOver();             // "游戏结束,下面单词不熟练:"
const std::string& CustomContentNotice();  // "可以自己用写字板建立练习内容,..."
const std::string& HelpText();             // three lines separated by CR
const std::string& DefaultPracticeFileName();  // "食物.txt"
const std::string& SongFace();             // "宋体"
const std::string& EmptyPracticeList();

}  // namespace zembrot::texts
