#include "widgets/zb_menu_controller.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include <QChildEvent>
#include <QEvent>
#include <QFont>
#include <QImage>
#include <QKeySequence>
#include <QPainter>
#include <QPointer>
#include <QRect>

#include "base/convert.h"
#include "base/desktop_preferences.h"
#include "base/errors.h"
#include "widgets/image_list.h"
#include "widgets/caption_text.h"

namespace zembrot {

namespace {

constexpr int kIconBarWidth = 24;
constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 3;
constexpr int kDropDownWidthAddition = 31;
constexpr int kTextIndent = 6;
constexpr int kShortCutRightMargin = 10;
constexpr int kGlyphSize = 16;
constexpr int kGradientStrip = 8;
constexpr int kCheckCellDarkening = 40;
// With an image list: the image sits 3 pixels in, the icon bar is 8 wider
// than an image and an item 6 higher.
constexpr int kImageMargin = 3;
constexpr int kImageIconBarAddition = 8;

constexpr std::array<TMenuColors, 3> kOfficeSchemes = {{
    {RGB(0, 0, 128), RGB(255, 238, 194), RGB(255, 217, 160), RGB(227, 239, 255), RGB(153, 187, 234)},
    {RGB(63, 93, 56), RGB(255, 238, 194), RGB(255, 217, 160), RGB(255, 255, 237), RGB(184, 199, 146)},
    {RGB(75, 75, 111), RGB(255, 238, 194), RGB(255, 217, 160), RGB(249, 249, 255), RGB(189, 188, 208)},
}};

// The scheme is the user's at start-up and holds for the run.
int StartUpOfficeScheme() {
  static const int scheme = OfficeSchemeForColorName(VisualStyleColorName());
  return scheme;
}

// The menu's 16 x 16 check mark: seven columns of three pixels each, by
// their first row. The radio bullet: a round dot, by rows (first and last
// column of each row).
constexpr int kCheckFirstColumn = 4;
constexpr std::array<int, 7> kCheckColumnTops = {7, 8, 9, 8, 7, 6, 5};
constexpr int kCheckColumnHeight = 3;
constexpr int kBulletFirstRow = 5;
constexpr std::array<std::pair<int, int>, 6> kBulletRows = {{{7, 8}, {6, 9}, {5, 10}, {5, 10}, {6, 9}, {7, 8}}};

struct NamedColor {
  const char* name;
  TColor color;
};

constexpr std::array<NamedColor, 52> kColorNames = {{
    {"clBlack", 0x000000},       {"clMaroon", 0x000080},       {"clGreen", 0x008000},
    {"clOlive", 0x008080},       {"clNavy", 0x800000},         {"clPurple", 0x800080},
    {"clTeal", 0x808000},        {"clGray", 0x808080},         {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},         {"clLime", 0x00FF00},         {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},        {"clFuchsia", 0xFF00FF},      {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},       {"clMoneyGreen", 0xC0DCC0},   {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},       {"clMedGray", 0xA4A0A0},      {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},   {"clScrollBar", 0xFF000000},  {"clBackground", 0xFF000001},
    {"clActiveCaption", 0xFF000002},   {"clInactiveCaption", 0xFF000003},
    {"clMenu", 0xFF000004},            {"clWindow", 0xFF000005},
    {"clWindowFrame", 0xFF000006},     {"clMenuText", 0xFF000007},
    {"clWindowText", 0xFF000008},      {"clCaptionText", 0xFF000009},
    {"clActiveBorder", 0xFF00000A},    {"clInactiveBorder", 0xFF00000B},
    {"clAppWorkSpace", 0xFF00000C},    {"clHighlight", 0xFF00000D},
    {"clHighlightText", 0xFF00000E},   {"clBtnFace", 0xFF00000F},
    {"clBtnShadow", 0xFF000010},       {"clGrayText", 0xFF000011},
    {"clBtnText", 0xFF000012},         {"clInactiveCaptionText", 0xFF000013},
    {"clBtnHighlight", 0xFF000014},    {"cl3DDkShadow", 0xFF000015},
    {"cl3DLight", 0xFF000016},         {"clInfoText", 0xFF000017},
    {"clInfoBk", 0xFF000018},          {"clHotLight", 0xFF00001A},
    {"clGradientActiveCaption", 0xFF00001B},  {"clGradientInactiveCaption", 0xFF00001C},
    {"clMenuHighlight", 0xFF00001D},   {"clMenuBar", 0xFF00001E},
}};

void FillRect(QPainter& canvas, const QRect& rect, TColor color) {
  if (!rect.isEmpty()) canvas.fillRect(rect, ToQColor(color));
}

// A one-pixel frame along the inside of the rectangle's edge.
void FrameRect(QPainter& canvas, const QRect& rect, TColor color) {
  if (rect.isEmpty()) return;
  const QColor qcolor = ToQColor(color);
  canvas.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), qcolor);
  canvas.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), qcolor);
  canvas.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), qcolor);
  canvas.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), qcolor);
}

// Steps from `from` (at the last row or column) towards `to` over `count`
// rows or columns, filling runs of equal colour of a strip at once, then
// copies the strip across the image.
void FillGradient(QPainter& canvas, const QRect& rect, TColor to, TColor from, bool vertical) {
  if (rect.isEmpty()) return;
  const int count = vertical ? rect.height() : rect.width();
  const int across = vertical ? rect.width() : rect.height();
  const int stripSize = std::min(kGradientStrip, across);
  const TColor start = ColorToRgb(from);
  const TColor end = ColorToRgb(to);
  std::array<std::int32_t, 3> channel{};
  std::array<std::int32_t, 3> step{};
  for (int c = 0; c < 3; ++c) {
    const std::int32_t first = static_cast<std::int32_t>((start >> (8 * c)) & 0xFF);
    const std::int32_t last = static_cast<std::int32_t>((end >> (8 * c)) & 0xFF);
    channel[c] = first << 16;
    step[c] = ((last - first) << 16) / count;
  }
  QImage strip(vertical ? QSize(stripSize, count) : QSize(count, stripSize), QImage::Format_RGB32);
  {
    QPainter stripCanvas(&strip);
    auto fillRun = [&](int runStart, int runLength, QRgb color) {
      // Counted from the far end: the run's rows (columns) are the last ones.
      const int position = count - runStart - runLength;
      const QRect run = vertical ? QRect(0, position, stripSize, runLength) : QRect(position, 0, runLength, stripSize);
      stripCanvas.fillRect(run, QColor::fromRgb(color));
    };
    int runStart = 0;
    QRgb runColor = 0;
    for (int i = 0; i < count; ++i) {
      const QRgb color = qRgb(channel[0] >> 16, channel[1] >> 16, channel[2] >> 16);
      if (i == 0) {
        runColor = color;
      } else if (color != runColor) {
        fillRun(runStart, i - runStart, runColor);
        runStart = i;
        runColor = color;
      }
      for (int c = 0; c < 3; ++c) channel[c] += step[c];
    }
    fillRun(runStart, count - runStart, runColor);
  }
  QImage image(rect.size(), QImage::Format_RGB32);
  {
    QPainter imageCanvas(&image);
    for (int offset = 0; offset < across; offset += stripSize) {
      imageCanvas.drawImage(vertical ? QPoint(offset, 0) : QPoint(0, offset), strip);
    }
  }
  canvas.drawImage(rect.topLeft(), image);
}

void DrawGlyph(QPainter& canvas, int left, int top, bool bullet, TColor color) {
  const QColor qcolor = ToQColor(color);
  if (bullet) {
    for (std::size_t row = 0; row < kBulletRows.size(); ++row) {
      const auto [first, last] = kBulletRows[row];
      canvas.fillRect(QRect(left + first, top + kBulletFirstRow + static_cast<int>(row), last - first + 1, 1), qcolor);
    }
    return;
  }
  for (std::size_t column = 0; column < kCheckColumnTops.size(); ++column) {
    const int x = left + kCheckFirstColumn + static_cast<int>(column);
    canvas.fillRect(QRect(x, top + kCheckColumnTops[column], 1, kCheckColumnHeight), qcolor);
  }
}

// The selection bar's fill: the gradient, or its bottom colour alone on a
// palette-based display.
void FillSelection(QPainter& canvas, const QRect& rect, const TMenuColors& colors) {
  if (IsPaletteDisplay()) {
    FillRect(canvas, rect, colors.selectionBottom);
  } else {
    FillVerticalGradient(canvas, rect, colors.selectionTop, colors.selectionBottom);
  }
}

bool ParseBoolean(const std::string& value) {
  const std::string lower = AsciiLower(value);
  if (lower == "true") return true;
  if (lower == "false") return false;
  throw EReadError("Invalid property value");
}

}  // namespace

bool operator==(const TMenuColors& a, const TMenuColors& b) {
  return a.selectionFrame == b.selectionFrame && a.selectionTop == b.selectionTop &&
         a.selectionBottom == b.selectionBottom && a.iconBarLeft == b.iconBarLeft && a.iconBarRight == b.iconBarRight;
}

TMenuColors OfficeColorScheme(int scheme) {
  if (scheme < 0 || scheme >= static_cast<int>(kOfficeSchemes.size())) scheme = 0;
  return kOfficeSchemes[static_cast<std::size_t>(scheme)];
}

int OfficeSchemeForColorName(const std::string& colorName) {
  std::string upper = colorName;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
  if (upper == "HOMESTEAD") return 1;
  if (upper == "METALLIC") return 2;
  return 0;
}

void FillVerticalGradient(QPainter& canvas, const QRect& rect, TColor top, TColor bottom) {
  FillGradient(canvas, rect, top, bottom, true);
}

void FillHorizontalGradient(QPainter& canvas, const QRect& rect, TColor left, TColor right) {
  FillGradient(canvas, rect, left, right, false);
}

bool HidesAccelerators(TOwnerDrawState state, std::optional<bool> cuesPreference) {
  return (state & odNoAccel) != 0 && cuesPreference.has_value() && !*cuesPreference;
}

TColor StoredColor(const std::string& text) {
  const std::string lower = AsciiLower(text);
  for (const NamedColor& named : kColorNames) {
    if (AsciiLower(named.name) == lower) return named.color;
  }
  return static_cast<TColor>(StrToInt(text));
}

TZbMenuController::TZbMenuController(QObject* owner) : QObject(owner) {}

TZbMenuController::~TZbMenuController() {
  if (QObject* owner = parent()) owner->removeEventFilter(this);
  while (!hookedItems_.empty()) Unhook(hookedItems_.back());
}

void TZbMenuController::SetStoredProperty(const std::string& name, const std::string& value) {
  const std::string key = AsciiLower(name);
  struct ColorProperty {
    const char* name;
    TColor TZbMenuController::*field;
  };
  // The three older colour names come first, then the published ones.
  static constexpr std::array<ColorProperty, 10> kColorProperties = {{
      {"gradientcolorstart", &TZbMenuController::selectionColorStart_},
      {"gradientcolorstop", &TZbMenuController::selectionColorStop_},
      {"framecolor", &TZbMenuController::selectionFrameColor_},
      {"selectioncolorstart", &TZbMenuController::selectionColorStart_},
      {"selectioncolorstop", &TZbMenuController::selectionColorStop_},
      {"selectionframecolor", &TZbMenuController::selectionFrameColor_},
      {"iconbarcolorstart", &TZbMenuController::iconBarColorStart_},
      {"iconbarcolorstop", &TZbMenuController::iconBarColorStop_},
      {"menucolor", &TZbMenuController::menuColor_},
      {"menufontcolor", &TZbMenuController::menuFontColor_},
  }};
  for (const ColorProperty& property : kColorProperties) {
    if (key == property.name) {
      this->*property.field = StoredColor(value);
      return;
    }
  }
  if (key == "gradientcolorstyle") {
    const std::string style = AsciiLower(value);
    if (style == "gcssystem") {
      gradientColorStyle_ = TGradientColorStyle::gcsSystem;
    } else if (style == "gcsmsoffice") {
      gradientColorStyle_ = TGradientColorStyle::gcsMSOffice;
    } else if (style == "gcscustom") {
      gradientColorStyle_ = TGradientColorStyle::gcsCustom;
    } else {
      throw EReadError("Invalid property value");
    }
    return;
  }
  if (key == "gradientcolordefault" || key == "themeaware") {
    ParseBoolean(value);  // read and ignored
    return;
  }
  throw EReadError("Property " + name + " does not exist");
}

void TZbMenuController::Loaded() {
  if (loaded_) return;
  loaded_ = true;
  QObject* owner = parent();
  if (owner == nullptr) return;
  for (QObject* component : owner->children()) {
    auto* item = qobject_cast<TOwnerDrawMenuItem*>(component);
    if (item != nullptr && !item->OnAdvancedDrawItem()) Hook(item);
  }
  owner->installEventFilter(this);
}

bool TZbMenuController::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent() && (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved)) {
    QObject* child = static_cast<QChildEvent*>(event)->child();
    if (event->type() == QEvent::ChildAdded) {
      // The new child is still being constructed: whether it is a menu item
      // can be told once its constructor has finished.
      QMetaObject::invokeMethod(
          this,
          [this, added = QPointer<QObject>(child)] {
            auto* item = qobject_cast<TOwnerDrawMenuItem*>(added.data());
            if (item != nullptr && item->parent() == parent() && !item->OnAdvancedDrawItem()) Hook(item);
          },
          Qt::QueuedConnection);
    } else {
      // An item being destroyed has already left the list; one moved to
      // another owner is still whole and is unhooked.
      const auto found = std::find(hookedItems_.begin(), hookedItems_.end(), child);
      if (found != hookedItems_.end()) Unhook(*found);
    }
  }
  return QObject::eventFilter(watched, event);
}

void TZbMenuController::Hook(TOwnerDrawMenuItem* item) {
  if (std::find(hookedItems_.begin(), hookedItems_.end(), item) != hookedItems_.end()) return;
  hookedItems_.push_back(item);
  connect(item, &QObject::destroyed, this, &TZbMenuController::ItemDestroyed);
  item->SetOnMeasureItem([this](TOwnerDrawMenuItem* measured, const QFont& font, int& width, int& height) {
    MeasureItem(measured, font, width, height);
  });
  item->SetOnAdvancedDrawItem(
      [this](TOwnerDrawMenuItem* drawn, QPainter& canvas, const QRect& rect, TOwnerDrawState state) {
        AdvancedDrawItem(drawn, canvas, rect, state);
      });
}

void TZbMenuController::Unhook(TOwnerDrawMenuItem* item) {
  const auto found = std::find(hookedItems_.begin(), hookedItems_.end(), item);
  if (found == hookedItems_.end()) return;
  hookedItems_.erase(found);
  disconnect(item, &QObject::destroyed, this, &TZbMenuController::ItemDestroyed);
  item->SetOnAdvancedDrawItem(nullptr);
  item->SetOnMeasureItem(nullptr);
}

void TZbMenuController::ItemDestroyed(QObject* item) {
  // Only the object's QObject part is left: nothing of the item is touched.
  const auto found = std::find_if(hookedItems_.begin(), hookedItems_.end(),
                                  [item](TOwnerDrawMenuItem* hooked) { return static_cast<QObject*>(hooked) == item; });
  if (found != hookedItems_.end()) hookedItems_.erase(found);
}

TMenuColors TZbMenuController::EffectiveColors() const {
  return EffectiveColors(false, StartUpOfficeScheme(), IsPaletteDisplay());
}

TMenuColors TZbMenuController::EffectiveColors(bool visualStylesInForce, int officeScheme, bool paletteDisplay) const {
  if (gradientColorStyle_ == TGradientColorStyle::gcsCustom) {
    return {selectionFrameColor_, selectionColorStart_, selectionColorStop_, iconBarColorStart_, iconBarColorStop_};
  }
  TMenuColors colors{};
  if (gradientColorStyle_ == TGradientColorStyle::gcsMSOffice && visualStylesInForce) {
    colors = OfficeColorScheme(officeScheme);
  } else {
    colors.selectionFrame = clHighlight;
    colors.selectionBottom = MixColors(clHighlight, clWindow, 77);
    colors.selectionTop = RaiseLightness(colors.selectionBottom, 20);
    colors.iconBarLeft = clWindow;
    colors.iconBarRight = LowerLightness(clBtnFace, 10);
  }
  if (paletteDisplay) colors.selectionTop = colors.selectionBottom;
  return colors;
}

void TZbMenuController::MeasureItem(TOwnerDrawMenuItem* item, const QFont& /*canvasFont*/, int& width,
                                    int& height) const {
  if (item == nullptr) return;
  const TImageList* images = item->ImageList();
  if (item->IsSeparator()) {
    height = kSeparatorHeight;
  } else {
    height = images != nullptr ? images->Height() + kImageMargin * 2 : kItemHeight;
  }
  if (!item->IsInMenuBar() && images == nullptr) width += kDropDownWidthAddition;
}

void TZbMenuController::AdvancedDrawItem(TOwnerDrawMenuItem* item, QPainter& canvas, const QRect& rect,
                                         TOwnerDrawState state) const {
  if (item == nullptr) return;
  const TMenuColors colors = EffectiveColors();
  const bool palette = IsPaletteDisplay();
  const TImageList* images = item->ImageList();
  const int iconBarWidth = images != nullptr ? images->Width() + kImageIconBarAddition : kIconBarWidth;
  const QRect iconBar(rect.left(), rect.top(), iconBarWidth, rect.height());
  QRect textRect = rect;
  TColor fontColor = menuFontColor_;
  if (item->IsInMenuBar()) {
    if ((state & (odSelected | odHotLight)) != 0) {
      const QRect bar = rect.adjusted(1, 1, -1, -1);
      FrameRect(canvas, bar, colors.selectionFrame);
      FillSelection(canvas, bar.adjusted(1, 1, -1, -1), colors);
    } else {
      FillRect(canvas, textRect, clBtnFace);
    }
    if ((state & odInactive) != 0) fontColor = clGrayText;
  } else {
    textRect.setLeft(iconBar.left() + iconBar.width());
    // A disabled item under the mouse looks like any other.
    if ((state & odSelected) != 0 && item->Enabled()) {
      FrameRect(canvas, rect, colors.selectionFrame);
      FillSelection(canvas, rect.adjusted(1, 1, -1, -1), colors);
      if (item->Checked()) DrawCheckCell(canvas, iconBar, *item, true, colors);
    } else {
      if (palette) {
        FillRect(canvas, iconBar, colors.iconBarRight);
      } else {
        FillHorizontalGradient(canvas, iconBar, colors.iconBarLeft, colors.iconBarRight);
      }
      if (item->Checked()) DrawCheckCell(canvas, iconBar, *item, false, colors);
      FillRect(canvas, textRect, menuColor_);
    }
    textRect.setLeft(textRect.left() + kTextIndent);
    if (images != nullptr) {
      images->Draw(canvas, iconBar.left() + kImageMargin, iconBar.top() + kImageMargin, item->ImageIndex(),
                   item->Enabled());
    }
  }
  if (item->IsSeparator()) {
    FillRect(canvas, QRect(textRect.left(), textRect.top() + 1, textRect.width(), 1), clBtnShadow);
    return;
  }
  DrawCaption(canvas, textRect, *item, state, fontColor);
}

void TZbMenuController::DrawCheckCell(QPainter& canvas, const QRect& iconBar, const TOwnerDrawMenuItem& item,
                                      bool selected, const TMenuColors& colors) const {
  const QRect cell = iconBar.adjusted(1, 1, -1 - 2, -1);
  FrameRect(canvas, cell, colors.selectionFrame);
  const QRect inside = cell.adjusted(1, 1, -1, -1);
  const TColor dark = LowerLightness(colors.selectionBottom, kCheckCellDarkening);
  if (selected) {
    FillRect(canvas, inside, dark);
  } else if (IsPaletteDisplay()) {
    FillRect(canvas, inside, colors.selectionBottom);
  } else {
    FillVerticalGradient(canvas, inside, dark, colors.selectionTop);
  }
  // An image of its own stands for the mark.
  if (item.ImageList() != nullptr && item.ImageIndex() != -1) return;
  const int left = iconBar.left() + (iconBar.width() - kGlyphSize) / 2;
  const int top = iconBar.top() + (iconBar.height() - kGlyphSize) / 2;
  DrawGlyph(canvas, left, top, item.RadioItem(), clBtnText);
}

void TZbMenuController::DrawCaption(QPainter& canvas, QRect textRect, const TOwnerDrawMenuItem& item,
                                    TOwnerDrawState state, TColor fontColor) const {
  const bool inBar = item.IsInMenuBar();
  int flags = Qt::TextSingleLine | Qt::AlignVCenter | Qt::TextExpandTabs;
  flags |= inBar ? Qt::AlignHCenter : Qt::AlignLeft;
  flags |= HidesAccelerators(state, KeyboardCuesPreference()) ? Qt::TextHideMnemonic : Qt::TextShowMnemonic;
  canvas.save();
  canvas.setBrush(Qt::NoBrush);
  QFont font = canvas.font();
  if (item.Default()) font.setBold(true);
  canvas.setFont(font);
  canvas.setPen(ToQColor(item.Enabled() ? fontColor : clGrayText));
  canvas.drawText(textRect, flags, CodePageToQString(item.Caption()));
  if (!inBar && item.ShortCut() != 0) {
    const QRect shortCutRect = textRect.adjusted(0, 0, -kShortCutRightMargin, 0);
    const int rightFlags = (flags & ~Qt::AlignLeft) | Qt::AlignRight;
    canvas.drawText(shortCutRect, rightFlags, QKeySequence(item.ShortCut()).toString(QKeySequence::NativeText));
  }
  canvas.restore();
}

}  // namespace zembrot
