#pragma once

// The learning record's texts as code-page bytes, like the game's own
// (game/texts.h). Paths are shown in the code page; characters it lacks
// show as "?", which only changes what is shown.

#include <cstddef>
#include <string>

#include <QString>

namespace zembrot::progress::texts {

std::string TodaysReview(std::size_t due);  // "今日复习 (3)"
const std::string& TodaysReviewListName();  // "今日复习"
const std::string& Statistics();            // "学习统计"
const std::string& HardestWordsListName();  // "最难的单词"
const std::string& StopRecording();         // "停止记录学习进度"
const std::string& DeleteRecord();          // "删除学习记录…"

std::string RecordingStarts(const QString& path);
std::string RecordMovedAside(const QString& movedTo);
std::string RecordOfNewerProgram(const QString& path);
std::string RecordUnavailable(const QString& path, const std::string& why);
std::string RecordingStopped(const QString& path);
std::string ConfirmDelete(const QString& path);
const std::string& RecordDeleted();
std::string RecordNotDeleted(const std::string& why);
std::string RecordUnreadable(const QString& path, const std::string& why);
const std::string& NothingToReview();

}  // namespace zembrot::progress::texts
