#pragma once

#include <string>

namespace zembrot {

// The modal notice: a dialog captioned with the application title, showing
// `text` (code-page bytes) above one "OK" button, which is both the default
// and the cancel button. Returns when the player has closed it; timers keep
// ticking meanwhile. Goes through the services seam (CurrentServices()).
void ShowNotice(const std::string& text);

// The real dialog, without the seam.
void ShowNoticeDialog(const std::string& text);

// The text that Ctrl+C copies from a notice with this caption and text.
std::string NoticeClipboardText(const std::string& caption, const std::string& text);

}  // namespace zembrot
