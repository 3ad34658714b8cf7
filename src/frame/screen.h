#pragma once

class QWidget;

namespace zembrot {

// Places a top-level window, frame included, in the middle of the primary
// screen: left = (screen width - window width) div 2, top likewise.
void CentreOnPrimaryScreen(QWidget& window);

}  // namespace zembrot
