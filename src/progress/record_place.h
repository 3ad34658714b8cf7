#pragma once

// Where the learning record lives and whether this start records. Looking
// is all this does: it creates, writes and deletes nothing.

#include <QString>

namespace zembrot::progress {

// The user's data folder (XDG_DATA_HOME, by default ~/.local/share, on
// Linux; %LOCALAPPDATA% on Windows) + "/zembrot".
QString RecordFolder();
// RecordFolder() + "/progress.sqlite3".
QString RecordPath();
// The mark left by 停止记录学习进度: while it is there, plain starts do not
// record. RecordFolder() + "/progress.stopped".
QString StoppedMarkPath();

// Whether this start records: always with --progress (`optIn`); otherwise
// when a record exists and the learner has not stopped it.
bool RecordsThisStart(bool optIn);

}  // namespace zembrot::progress
