#include "progress/progress_texts.h"

#include <QDir>

#include "base/code_page.h"

namespace zembrot::progress::texts {

namespace {

std::string Text(const char* utf8) { return Utf8ToCodePage(utf8); }
std::string Shown(const QString& path) { return Utf8ToCodePage(QDir::toNativeSeparators(path).toStdString()); }

}  // namespace

#define ZEMBROT_TEXT(Name, Utf8)               \
  const std::string& Name() {                  \
    static const std::string text = Text(Utf8); \
    return text;                               \
  }

ZEMBROT_TEXT(TodaysReviewListName, "今日复习")
ZEMBROT_TEXT(Statistics, "学习统计")
ZEMBROT_TEXT(HardestWordsListName, "最难的单词")
ZEMBROT_TEXT(StopRecording, "停止记录学习进度")
ZEMBROT_TEXT(DeleteRecord, "删除学习记录…")
ZEMBROT_TEXT(RecordDeleted, "学习记录已删除。以后启动不再记录,除非用 zembrot --progress 启动。")
ZEMBROT_TEXT(NothingToReview, "今天没有要复习的单词。")

#undef ZEMBROT_TEXT

std::string TodaysReview(std::size_t due) { return TodaysReviewListName() + " (" + std::to_string(due) + ")"; }

std::string RecordingStarts(const QString& path) {
  return Text("从现在起记录学习进度:每个单词每次打出、看着打出或掉到底,都记下来,用来安排\"今日复习\"。\r"
              "记录保存在:\r") +
         Shown(path) + "\r" + Text("停止记录:菜单\"设置\"→\"停止记录学习进度\"。");
}

std::string RecordMovedAside(const QString& movedTo) {
  return Text("学习记录文件已损坏,或者不是本程序的记录。原文件没有改动,已改名为:\r") + Shown(movedTo) + "\r" +
         Text("这次不记录学习进度。");
}

std::string RecordOfNewerProgram(const QString& path) {
  return Text("学习记录是更新版本的程序写的,本程序不改动它:\r") + Shown(path) + "\r" + Text("这次不记录学习进度。");
}

std::string RecordUnavailable(const QString& path, const std::string& why) {
  return Text("学习记录无法写入(磁盘已满,或者没有写入权限):\r") + Shown(path) + "\r" + Utf8ToCodePage(why) + "\r" +
         Text("这次不再记录学习进度,游戏照常进行。");
}

std::string RecordingStopped(const QString& path) {
  return Text("已停止记录学习进度。已有的记录仍保存在:\r") + Shown(path) + "\r" +
         Text("以后用 zembrot --progress 启动,就会继续记录。");
}

std::string ConfirmDelete(const QString& path) {
  return Text("删除全部学习记录吗?删除后无法恢复。\r") + Shown(path);
}

std::string RecordNotDeleted(const std::string& why) {
  return Text("学习记录没有删除:\r") + Utf8ToCodePage(why);
}

std::string RecordUnreadable(const QString& path, const std::string& why) {
  return Text("学习记录现在无法读取:\r") + Shown(path) + "\r" + Utf8ToCodePage(why);
}

}  // namespace zembrot::progress::texts
