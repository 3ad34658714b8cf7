#include "widgets/image_list.h"

#include <QPainter>

namespace zembrot {

void TImageList::Add(const QImage& image) {
  images_.push_back(image.size() == QSize(width_, height_) ? image : image.scaled(width_, height_));
}

void TImageList::Draw(QPainter& canvas, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  const QImage& image = images_[static_cast<std::size_t>(index)];
  if (enabled) {
    canvas.drawImage(x, y, image);
    return;
  }
  // Greyed: the image's lightness alone, its transparency kept.
  QImage grey = image.convertToFormat(QImage::Format_ARGB32);
  for (int row = 0; row < grey.height(); ++row) {
    auto* pixels = reinterpret_cast<QRgb*>(grey.scanLine(row));
    for (int column = 0; column < grey.width(); ++column) {
      const int level = qGray(pixels[column]);
      pixels[column] = qRgba(level, level, level, qAlpha(pixels[column]));
    }
  }
  canvas.drawImage(x, y, grey);
}

}  // namespace zembrot
