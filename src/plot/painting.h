#pragma once

// Drawing helpers the plot views share: the title line, the sentence shown
// instead of an empty plot, and numbers as tick labels.

#include <QColor>
#include <QRect>
#include <QString>

class QFont;
class QFontMetrics;
class QPainter;
class QPalette;

namespace zembrot::plot {

// The gap between a plot's parts, in pixels.
inline constexpr int kGap = 4;
// How far a tick mark reaches out of the frame.
inline constexpr int kTickLength = 4;

// The title's font: the view's own, bold.
QFont TitleFont(const QFont& font);

// Draws a view's heading: `title` at the top of `view` (inset by kGap) and,
// when `sentence_instead` is set, `sentence` centred and wrapped below it in
// place of the plot. Returns whether the plot itself is to be drawn.
bool DrawHeading(QPainter& painter, const QRect& view, const QString& title, bool sentence_instead,
                 const QString& sentence, const QPalette& palette);

// A tick value as a label: whole numbers without a fraction, others with
// at most two decimals and no trailing zeros.
QString NumberLabel(double value);

// A legend entry: a swatch of `color` and its name, right-aligned so that
// it ends at `right` on the line whose middle is `middle_y`; returns the
// left end, where the next entry may end.
int DrawLegendEntry(QPainter& painter, int right, int middle_y, const QColor& color, bool line,
                    const QString& name, const QPalette& palette);

}  // namespace zembrot::plot
