#pragma once

// Text placement values shared by the label and the check box.

namespace zembrot {

// Horizontal placement. For the check box, taRightJustify puts the box at
// the left and the caption to its right.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// Vertical placement of the check box's box and caption.
enum class TVerticalAlignment { avTop, avCenter, avBottom };

}  // namespace zembrot
