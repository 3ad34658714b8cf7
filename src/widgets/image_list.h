#pragma once

// TImageList: a row of equally sized images, drawn by index (menu items'
// images). The main window has none; the menu look supports them.

#include <vector>

#include <QImage>

class QPainter;

namespace zembrot {

class TImageList {
 public:
  TImageList(int width, int height) : width_(width), height_(height) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(images_.size()); }
  // Scaled to the list's size when it differs.
  void Add(const QImage& image);
  // Draws image `index` with its top-left corner at x, y; greyed when not
  // enabled. An index outside the list draws nothing.
  void Draw(QPainter& canvas, int x, int y, int index, bool enabled) const;

 private:
  int width_;
  int height_;
  std::vector<QImage> images_;
};

}  // namespace zembrot
