#pragma once

#include <functional>
#include <string>

#include "widgets/colors.h"

class QFont;

namespace zembrot {

// A control's font: face, size, colour and style, with a change
// notification that its control uses to resize and repaint itself.
//
// The size is kept as a pixel height: Height = -(Size * 96 / 72, rounded),
// so 20 points is -27 and 72 points -96. A negative height is the character
// height without internal leading.
class TFont {
 public:
  TFont();

  const std::string& Name() const { return name_; }  // code-page bytes, e.g. "宋体"
  void SetName(const std::string& name);
  int Height() const { return height_; }
  void SetHeight(int height);
  int Size() const;  // points
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool Bold() const { return bold_; }
  void SetBold(bool bold);

  // Copies every attribute (one change notification).
  void Assign(const TFont& other);

  // Called after every change of an attribute.
  std::function<void()> OnChange;

  // The Qt font for drawing and measuring; face names go through the
  // program's font substitutions ("宋体" -> an installed Song face).
  QFont ToQFont() const;

 private:
  void Changed();

  std::string name_;
  int height_;
  TColor color_;
  bool bold_ = false;
};

bool operator==(const TFont& a, const TFont& b);

}  // namespace zembrot
