// TZbMenuController: effective colours, gradients, measuring, drawing of
// bar items, drop-down items, check cells and separators, stored property
// names, and hooking the owner's menu items.
//
// Expected colours are for the test palette (widget_test_support.h): window
// white, highlight RGB 0, 120, 215, button face RGB 212, 208, 200. With it
// the selection bottom MixColors(highlight, window, 77) is RGB 178, 214, 243,
// the selection top (raised by 20) RGB 215, 233, 249, the icon bar's right
// colour (button face lowered by 10) RGB 203, 198, 188 and the check cell's
// dark colour (bottom lowered by 40) RGB 104, 172, 231.

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QActionEvent>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include "base/errors.h"
#include "frame/form.h"
#include "frame/menu.h"
#include "widget_test_support.h"
#include "widgets/image_list.h"
#include "widgets/zb_menu_controller.h"

namespace zembrot {
namespace {

using testing_support::PixelAt;
using testing_support::ScopedPalette;

constexpr TColor kMarker = RGB(255, 0, 255);
constexpr TColor kHighlight = RGB(0, 120, 215);
constexpr TColor kBottom = RGB(178, 214, 243);
constexpr TColor kDark = RGB(104, 172, 231);
constexpr TColor kFace = RGB(212, 208, 200);
constexpr TColor kGlyph = RGB(1, 2, 3);  // clBtnText
constexpr TColor kShadow = RGB(128, 128, 128);
constexpr TColor kGray = RGB(109, 109, 109);
constexpr TColor kWhite = RGB(255, 255, 255);

QImage Canvas(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(ToQColor(kMarker));
  return image;
}

std::set<TColor> ColorsIn(const QImage& image, const QRect& area) {
  std::set<TColor> colors;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) colors.insert(PixelAt(image, x, y));
  }
  return colors;
}

// The main menu's shape, owner-drawn, on a window, with the controller
// loaded as the layout does it.
class MenuLook : public ::testing::Test {
 protected:
  MenuLook() {
    menu = new TMainMenu(&form);
    menu->SetOwnerDraw(true);
    controller = new TZbMenuController(&form);
    settings = Item("Settings");
    showEnglish = Item("Show English");
    hideChinese = Item("Hide Chinese");
    custom = Item("Custom");
    hideChinese->SetChecked(true);
    settings->Add(showEnglish);
    settings->Add(hideChinese);
    menu->Add(settings);
    menu->Add(custom);
    form.SetMenu(menu);
    controller->Loaded();
  }

  TMenuItem* Item(const char* caption) {
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    return item;
  }

  // Draws one item as the frame would, with an unsmoothed font so that text
  // pixels carry the pen colour itself.
  QImage Draw(TMenuItem* item, int width, int height, TOwnerDrawState state) {
    QImage image = Canvas(width, height);
    QPainter canvas(&image);
    QFont font = canvas.font();
    font.setStyleStrategy(QFont::NoAntialias);
    canvas.setFont(font);
    controller->AdvancedDrawItem(item, canvas, QRect(0, 0, width, height), state);
    return image;
  }

  ScopedPalette palette;
  TForm form;
  TMainMenu* menu = nullptr;
  TZbMenuController* controller = nullptr;
  TMenuItem* settings = nullptr;
  TMenuItem* showEnglish = nullptr;
  TMenuItem* hideChinese = nullptr;
  TMenuItem* custom = nullptr;
};

TEST_F(MenuLook, DefaultsAndEffectiveColours) {
  EXPECT_EQ(controller->GradientColorStyle(), TGradientColorStyle::gcsSystem);
  EXPECT_EQ(controller->SelectionColorStart(), clBtnFace);
  EXPECT_EQ(controller->SelectionColorStop(), clBtnShadow);
  EXPECT_EQ(controller->SelectionFrameColor(), cl3DDkShadow);
  EXPECT_EQ(controller->IconBarColorStart(), RGB(255, 255, 255));
  EXPECT_EQ(controller->IconBarColorStop(), clBtnFace);
  EXPECT_EQ(controller->MenuColor(), clWindow);
  EXPECT_EQ(controller->MenuFontColor(), clWindowText);

  const TMenuColors system{clHighlight, RGB(215, 233, 249), kBottom, clWindow, RGB(203, 198, 188)};
  const TMenuColors systemOnPalette{clHighlight, kBottom, kBottom, clWindow, RGB(203, 198, 188)};
  const TMenuColors scheme0{RGB(0, 0, 128), RGB(255, 238, 194), RGB(255, 217, 160), RGB(227, 239, 255),
                            RGB(153, 187, 234)};
  const TMenuColors scheme1{RGB(63, 93, 56), RGB(255, 238, 194), RGB(255, 217, 160), RGB(255, 255, 237),
                            RGB(184, 199, 146)};
  const TMenuColors scheme2{RGB(75, 75, 111), RGB(255, 238, 194), RGB(255, 217, 160), RGB(249, 249, 255),
                            RGB(189, 188, 208)};
  const TMenuColors scheme1OnPalette{RGB(63, 93, 56), RGB(255, 217, 160), RGB(255, 217, 160), RGB(255, 255, 237),
                                     RGB(184, 199, 146)};
  const TMenuColors customColours{RGB(1, 1, 1), RGB(10, 20, 30), RGB(200, 100, 50), RGB(5, 5, 5), RGB(6, 6, 6)};
  struct Case {
    TGradientColorStyle style;
    bool visualStyles;
    int scheme;
    bool paletteDisplay;
    TMenuColors expected;
  };
  const std::vector<Case> cases = {
      {TGradientColorStyle::gcsSystem, false, 0, false, system},
      {TGradientColorStyle::gcsSystem, true, 2, false, system},
      {TGradientColorStyle::gcsSystem, false, 0, true, systemOnPalette},
      // Without visual styles the office look is the system look.
      {TGradientColorStyle::gcsMSOffice, false, 1, false, system},
      {TGradientColorStyle::gcsMSOffice, true, 0, false, scheme0},
      {TGradientColorStyle::gcsMSOffice, true, 1, false, scheme1},
      {TGradientColorStyle::gcsMSOffice, true, 2, false, scheme2},
      {TGradientColorStyle::gcsMSOffice, true, 7, false, scheme0},
      {TGradientColorStyle::gcsMSOffice, true, 1, true, scheme1OnPalette},
      {TGradientColorStyle::gcsCustom, true, 1, true, customColours},
  };
  controller->SetSelectionFrameColor(RGB(1, 1, 1));
  controller->SetSelectionColorStart(RGB(10, 20, 30));
  controller->SetSelectionColorStop(RGB(200, 100, 50));
  controller->SetIconBarColorStart(RGB(5, 5, 5));
  controller->SetIconBarColorStop(RGB(6, 6, 6));
  for (const Case& c : cases) {
    controller->SetGradientColorStyle(c.style);
    const TMenuColors colors = controller->EffectiveColors(c.visualStyles, c.scheme, c.paletteDisplay);
    EXPECT_EQ(colors.selectionFrame, c.expected.selectionFrame) << static_cast<int>(c.style) << " " << c.scheme;
    EXPECT_EQ(ColorToRgb(colors.selectionTop), c.expected.selectionTop) << static_cast<int>(c.style);
    EXPECT_EQ(ColorToRgb(colors.selectionBottom), c.expected.selectionBottom) << static_cast<int>(c.style);
    EXPECT_EQ(colors.iconBarLeft, c.expected.iconBarLeft) << static_cast<int>(c.style);
    EXPECT_EQ(ColorToRgb(colors.iconBarRight), c.expected.iconBarRight) << static_cast<int>(c.style);
  }
}

TEST(MenuColourScheme, ChosenFromTheVisualStyleColourName) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"HomeStead", 1}, {"HOMESTEAD", 1}, {"Metallic", 2}, {"metallic", 2},
      {"NormalColor", 0}, {"", 0}, {"HomeStead ", 0}, {"Metal", 0},
  };
  for (const auto& [name, scheme] : cases) EXPECT_EQ(OfficeSchemeForColorName(name), scheme) << name;
}

TEST(MenuGradient, StepsFromTheBottomOrRightColourInEqualStrips) {
  ScopedPalette palette;
  // 21 wide and 20 high (not whole strips), placed at 5,5 in a larger image.
  QImage image = Canvas(40, 40);
  {
    QPainter canvas(&image);
    FillVerticalGradient(canvas, QRect(5, 5, 21, 20), RGB(10, 20, 30), RGB(200, 100, 50));
  }
  EXPECT_EQ(PixelAt(image, 5, 24), RGB(200, 100, 50));  // bottom row: the bottom colour
  EXPECT_EQ(PixelAt(image, 5, 5), RGB(19, 24, 31));     // top row: within one step of the top colour
  for (int y = 5; y < 25; ++y) {
    EXPECT_EQ(ColorsIn(image, QRect(5, y, 21, 1)).size(), 1u) << "row " << y;
  }
  EXPECT_EQ(PixelAt(image, 4, 10), kMarker);
  EXPECT_EQ(PixelAt(image, 26, 10), kMarker);
  EXPECT_EQ(PixelAt(image, 10, 25), kMarker);
  EXPECT_EQ(PixelAt(image, 10, 4), kMarker);

  QImage across = Canvas(40, 40);
  {
    QPainter canvas(&across);
    FillHorizontalGradient(canvas, QRect(2, 3, 24, 13), clWindow, LowerLightness(clBtnFace, 10));
  }
  EXPECT_EQ(PixelAt(across, 25, 3), RGB(203, 198, 188));  // right-most column
  EXPECT_EQ(PixelAt(across, 24, 3), RGB(205, 200, 190));
  EXPECT_EQ(PixelAt(across, 2, 3), RGB(252, 252, 252));   // left edge
  for (int x = 2; x < 26; ++x) EXPECT_EQ(ColorsIn(across, QRect(x, 3, 1, 13)).size(), 1u) << "column " << x;
  EXPECT_EQ(PixelAt(across, 26, 3), kMarker);
  EXPECT_EQ(PixelAt(across, 2, 16), kMarker);
}

TEST_F(MenuLook, MeasuresFixedHeightsAndTheIconBarWidth) {
  TMenuItem* separator = Item("-");
  settings->Add(separator);
  QCoreApplication::processEvents();  // an item added later is hooked
  struct Case {
    TMenuItem* item;
    int defaultWidth;
    int width;
    int height;
  };
  const std::vector<Case> cases = {
      {settings, 40, 40, 22},  // on the bar: the caption's width
      {custom, 57, 57, 22},
      {showEnglish, 50, 81, 22},
      {hideChinese, 64, 95, 22},
      {separator, 0, 31, 3},
  };
  for (const Case& c : cases) {
    int width = c.defaultWidth;
    int height = 13;
    c.item->OnMeasureItem()(c.item, form.font(), width, height);
    EXPECT_EQ(width, c.width) << c.item->Caption();
    EXPECT_EQ(height, c.height) << c.item->Caption();
  }
}

TEST_F(MenuLook, DropDownItemSelectedAndNot) {
  // Selected, checked: framed gradient bar, check cell filled dark, mark.
  const QImage selected = Draw(hideChinese, 120, 22, odSelected | odChecked);
  EXPECT_EQ(PixelAt(selected, 0, 0), kHighlight);
  EXPECT_EQ(PixelAt(selected, 119, 21), kHighlight);
  EXPECT_EQ(PixelAt(selected, 60, 20), kBottom);             // bottom row inside the frame
  EXPECT_EQ(PixelAt(selected, 118, 1), RGB(213, 232, 248));  // top row inside the frame
  EXPECT_EQ(PixelAt(selected, 1, 1), kHighlight);            // check cell frame
  EXPECT_EQ(PixelAt(selected, 20, 20), kHighlight);
  EXPECT_EQ(PixelAt(selected, 21, 10), RGB(196, 223, 245));  // beside the cell: the bar's gradient
  EXPECT_EQ(PixelAt(selected, 3, 3), kDark);
  EXPECT_EQ(PixelAt(selected, 19, 19), kDark);
  EXPECT_EQ(PixelAt(selected, 8, 10), kGlyph);
  EXPECT_EQ(PixelAt(selected, 14, 8), kGlyph);
  EXPECT_EQ(PixelAt(selected, 14, 11), kDark);

  // Not selected, checked: icon bar gradient, cell with its own gradient.
  const QImage normal = Draw(hideChinese, 120, 22, odChecked);
  EXPECT_EQ(PixelAt(normal, 0, 10), RGB(252, 252, 252));  // icon bar, left edge
  EXPECT_EQ(PixelAt(normal, 23, 10), RGB(203, 198, 188));  // icon bar, right-most column
  EXPECT_EQ(PixelAt(normal, 22, 0), RGB(205, 200, 190));
  EXPECT_EQ(PixelAt(normal, 1, 1), kHighlight);
  EXPECT_EQ(PixelAt(normal, 3, 2), RGB(110, 175, 232));   // cell, top row: dark
  EXPECT_EQ(PixelAt(normal, 3, 19), RGB(215, 233, 249));  // cell, bottom row: selection top
  EXPECT_EQ(PixelAt(normal, 8, 10), kGlyph);
  EXPECT_EQ(PixelAt(normal, 24, 0), kWhite);   // menu colour right of the icon bar
  EXPECT_EQ(PixelAt(normal, 119, 21), kWhite);

  // Unchecked: the icon bar gradient alone.
  hideChinese->SetChecked(false);
  const QImage plain = Draw(hideChinese, 120, 22, 0);
  EXPECT_EQ(PixelAt(plain, 1, 1), RGB(250, 250, 249));
  EXPECT_EQ(PixelAt(plain, 3, 2), RGB(246, 245, 243));
  EXPECT_EQ(PixelAt(plain, 8, 10), RGB(235, 233, 229));

  // A radio item shows a bullet instead of the check mark.
  hideChinese->SetChecked(true);
  hideChinese->SetRadioItem(true);
  const QImage radio = Draw(hideChinese, 120, 22, odChecked);
  EXPECT_EQ(PixelAt(radio, 9, 10), kGlyph);  // the dot's widest rows span columns 9..14
  EXPECT_EQ(PixelAt(radio, 11, 8), kGlyph);
  EXPECT_EQ(PixelAt(radio, 8, 10), RGB(159, 202, 240));
}

TEST_F(MenuLook, ImageListsSizeTheItemsAndStandForTheCheckMark) {
  TImageList small(16, 16);
  TImageList tall(20, 24);
  QImage red(16, 16, QImage::Format_RGB32);
  red.fill(Qt::red);
  small.Add(red);
  tall.Add(red);
  menu->SetImages(&small);
  settings->SetSubMenuImages(&tall);
  struct Case {
    TMenuItem* item;
    int width;
    int height;
  };
  // The nearest parent's images win over the menu's; no icon bar addition.
  for (const Case& c : std::vector<Case>{{custom, 50, 22}, {hideChinese, 50, 30}}) {
    int width = 50;
    int height = 13;
    c.item->OnMeasureItem()(c.item, form.font(), width, height);
    EXPECT_EQ(width, c.width) << c.item->Caption();
    EXPECT_EQ(height, c.height) << c.item->Caption();
  }

  // The icon bar is the image width + 8 wide; the image at 3, 3 replaces the mark.
  hideChinese->SetImageIndex(0);
  const QImage withImage = Draw(hideChinese, 120, 30, odChecked);
  EXPECT_EQ(PixelAt(withImage, 3, 3), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(withImage, 22, 26), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(withImage, 1, 1), kHighlight);  // the cell's frame
  EXPECT_EQ(PixelAt(withImage, 27, 1), RGB(203, 198, 188));
  EXPECT_EQ(PixelAt(withImage, 28, 1), kWhite);
  hideChinese->SetEnabled(false);
  EXPECT_EQ(PixelAt(Draw(hideChinese, 120, 30, odChecked), 3, 3), RGB(87, 87, 87));

  // Without an image of its own the mark is centred in the wider bar.
  hideChinese->SetImageIndex(-1);
  const QImage marked = Draw(hideChinese, 120, 30, odChecked);
  EXPECT_EQ(PixelAt(marked, 10, 14), kGlyph);
  EXPECT_NE(PixelAt(marked, 8, 10), kGlyph);
}

TEST_F(MenuLook, CaptionsAndTheirColours) {
  // Text starts 6 pixels right of the icon bar, in the menu font colour.
  const QImage enabled = Draw(showEnglish, 160, 22, 0);
  const std::set<TColor> textColours = ColorsIn(enabled, QRect(30, 0, 130, 22));
  EXPECT_TRUE(textColours.count(RGB(0, 0, 0)) == 1);
  EXPECT_EQ(ColorsIn(enabled, QRect(24, 0, 6, 22)), std::set<TColor>{kWhite});

  // The default item is bold; a shortcut ends 10 pixels from the right.
  auto inkCount = [](const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 30; x < image.width(); ++x) count += PixelAt(image, x, y) == RGB(0, 0, 0) ? 1 : 0;
    }
    return count;
  };
  showEnglish->SetDefault(true);
  EXPECT_GT(inkCount(Draw(showEnglish, 160, 22, odDefault)), inkCount(enabled));
  showEnglish->SetDefault(false);
  showEnglish->SetShortCut(QKeyCombination(Qt::CTRL, Qt::Key_E).toCombined());
  const QImage withShortCut = Draw(showEnglish, 200, 22, 0);
  EXPECT_EQ(ColorsIn(withShortCut, QRect(190, 0, 10, 22)), std::set<TColor>{kWhite});
  EXPECT_EQ(ColorsIn(withShortCut, QRect(170, 0, 20, 22)).count(RGB(0, 0, 0)), 1u);
  EXPECT_EQ(ColorsIn(enabled, QRect(130, 0, 30, 22)), std::set<TColor>{kWhite});
  showEnglish->SetShortCut(0);

  // Disabled: grey text, and no selection bar even under the mouse.
  showEnglish->SetEnabled(false);
  const QImage disabled = Draw(showEnglish, 160, 22, odSelected | odDisabled | odGrayed);
  EXPECT_EQ(PixelAt(disabled, 0, 0), RGB(252, 252, 252));
  EXPECT_EQ(PixelAt(disabled, 159, 0), kWhite);
  EXPECT_EQ(ColorsIn(disabled, QRect(30, 0, 130, 22)), (std::set<TColor>{kWhite, kGray}));

  // Bar items: centred caption, button face behind it; grey in an inactive
  // window; never a check cell.
  custom->SetChecked(true);
  const QImage bar = Draw(custom, 80, 22, odChecked);
  EXPECT_EQ(PixelAt(bar, 8, 10), kFace);
  EXPECT_EQ(PixelAt(bar, 1, 1), kFace);
  EXPECT_EQ(ColorsIn(bar, QRect(0, 0, 12, 22)), std::set<TColor>{kFace});
  EXPECT_EQ(ColorsIn(bar, QRect(68, 0, 12, 22)), std::set<TColor>{kFace});
  EXPECT_EQ(ColorsIn(bar, QRect(12, 0, 56, 22)), (std::set<TColor>{kFace, RGB(0, 0, 0)}));
  const QImage inactive = Draw(custom, 80, 22, odInactive);
  EXPECT_EQ(ColorsIn(inactive, QRect(12, 0, 56, 22)), (std::set<TColor>{kFace, kGray}));

  // A selected or hot bar item: frame one pixel in, gradient inside it.
  for (TOwnerDrawState state : {odSelected, odHotLight}) {
    const QImage hot = Draw(custom, 80, 22, state);
    EXPECT_EQ(PixelAt(hot, 0, 0), kMarker);
    EXPECT_EQ(PixelAt(hot, 79, 21), kMarker);
    EXPECT_EQ(PixelAt(hot, 1, 1), kHighlight);
    EXPECT_EQ(PixelAt(hot, 78, 20), kHighlight);
    EXPECT_EQ(PixelAt(hot, 2, 19), kBottom);
    EXPECT_EQ(PixelAt(hot, 2, 2), RGB(212, 231, 248));
    EXPECT_EQ(PixelAt(hot, 8, 10), PixelAt(hot, 2, 10));  // no check cell
  }
}

TEST_F(MenuLook, SeparatorIsOneGreyLineOnItsSecondRow) {
  TMenuItem* separator = Item("-");
  settings->Add(separator);
  QCoreApplication::processEvents();  // an item added later is hooked
  const QImage image = Draw(separator, 120, 3, 0);
  EXPECT_EQ(ColorsIn(image, QRect(30, 1, 90, 1)), std::set<TColor>{kShadow});
  EXPECT_EQ(ColorsIn(image, QRect(24, 0, 96, 1)), std::set<TColor>{kWhite});
  EXPECT_EQ(ColorsIn(image, QRect(24, 2, 96, 1)), std::set<TColor>{kWhite});
  EXPECT_EQ(ColorsIn(image, QRect(24, 1, 6, 1)), std::set<TColor>{kWhite});
  EXPECT_EQ(PixelAt(image, 0, 1), RGB(252, 252, 252));
}

TEST(MenuAccelerators, HiddenOnlyWhenTheStateAndTheUserSaySo) {
  struct Case {
    TOwnerDrawState state;
    std::optional<bool> cues;
    bool hidden;
  };
  const std::vector<Case> cases = {
      {odNoAccel, std::nullopt, false},  // no such preference: cues on
      {odNoAccel, true, false},
      {odNoAccel, false, true},
      {odSelected, false, false},
      {0, std::nullopt, false},
  };
  for (const Case& c : cases) EXPECT_EQ(HidesAccelerators(c.state, c.cues), c.hidden) << c.state;
}

TEST(MenuControllerProperties, StoredNamesOldAndNew) {
  TZbMenuController controller;
  struct Case {
    const char* name;
    const char* value;
    TColor (TZbMenuController::*read)() const;
    TColor expected;
  };
  const std::vector<Case> cases = {
      {"GradientColorStart", "clRed", &TZbMenuController::SelectionColorStart, 0x0000FF},
      {"GradientColorStop", "16711680", &TZbMenuController::SelectionColorStop, 0xFF0000},
      {"FrameColor", "-16777201", &TZbMenuController::SelectionFrameColor, clBtnFace},
      {"SelectionColorStart", "clbtnshadow", &TZbMenuController::SelectionColorStart, clBtnShadow},
      {"SelectionColorStop", "$00FF00", &TZbMenuController::SelectionColorStop, 0x00FF00},
      {"SelectionFrameColor", "clHighlight", &TZbMenuController::SelectionFrameColor, clHighlight},
      {"IconBarColorStart", "clInfoBk", &TZbMenuController::IconBarColorStart, clInfoBk},
      {"IconBarColorStop", "clMenuBar", &TZbMenuController::IconBarColorStop, clMenuBar},
      {"MenuColor", "clCream", &TZbMenuController::MenuColor, 0xF0FBFF},
      {"MenuFontColor", "255", &TZbMenuController::MenuFontColor, 0x0000FF},
  };
  for (const Case& c : cases) {
    controller.SetStoredProperty(c.name, c.value);
    EXPECT_EQ((controller.*c.read)(), c.expected) << c.name;
  }
  controller.SetStoredProperty("GradientColorStyle", "gcsCustom");
  EXPECT_EQ(controller.GradientColorStyle(), TGradientColorStyle::gcsCustom);
  controller.SetStoredProperty("ThemeAware", "True");
  controller.SetStoredProperty("GradientColorDefault", "False");

  struct Bad {
    const char* name;
    const char* value;
    std::string message;
  };
  const std::vector<Bad> bad = {
      {"Colour", "clRed", "Property Colour does not exist"},
      {"GradientColorStyle", "gcsRainbow", "Invalid property value"},
      {"ThemeAware", "yes", "Invalid property value"},
      {"FrameColor", "clNoSuch", "'clNoSuch' is not a valid integer value"},
  };
  for (const Bad& b : bad) {
    try {
      controller.SetStoredProperty(b.name, b.value);
      ADD_FAILURE() << b.name << " accepted";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message(), b.message);
    }
  }
  EXPECT_EQ(controller.SelectionFrameColor(), clHighlight);
  EXPECT_EQ(controller.GradientColorStyle(), TGradientColorStyle::gcsCustom);
}

// Records which items the bar is told to measure and paint anew.
class ChangeRecorder : public QObject {
 public:
  std::vector<TOwnerDrawMenuItem*> items;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ActionChanged) {
      TOwnerDrawMenuItem* item = TMenuItem::FromAction(static_cast<QActionEvent*>(event)->action());
      if (items.empty() || items.back() != item) items.push_back(item);
    }
    return QObject::eventFilter(watched, event);
  }
};

TEST_F(MenuLook, HooksTheOwnersItemsAndFollowsTheirComingAndGoing) {
  EXPECT_EQ(controller->HookedItems(), (std::vector<TOwnerDrawMenuItem*>{settings, showEnglish, hideChinese, custom}));

  // An item that draws itself keeps its handler.
  TForm other;
  TZbMenuController second(&other);
  auto* own = new TMenuItem(&other);
  auto* plain = new TMenuItem(&other);
  bool ownDrawn = false;
  own->SetOnAdvancedDrawItem([&](TOwnerDrawMenuItem*, QPainter&, const QRect&, TOwnerDrawState) { ownDrawn = true; });
  second.Loaded();
  EXPECT_EQ(second.HookedItems(), std::vector<TOwnerDrawMenuItem*>{plain});
  QImage image = Canvas(4, 4);
  QPainter canvas(&image);
  own->OnAdvancedDrawItem()(own, canvas, QRect(0, 0, 4, 4), 0);
  EXPECT_TRUE(ownDrawn);
  EXPECT_FALSE(own->OnMeasureItem());

  // Added later: hooked once its construction is over.
  auto* added = new TMenuItem(&other);
  QCoreApplication::processEvents();
  EXPECT_EQ(second.HookedItems(), (std::vector<TOwnerDrawMenuItem*>{plain, added}));
  EXPECT_TRUE(added->OnAdvancedDrawItem());

  // Moved to another owner: unhooked, its handlers cleared.
  added->setParent(&form);
  EXPECT_EQ(second.HookedItems(), std::vector<TOwnerDrawMenuItem*>{plain});
  EXPECT_FALSE(added->OnAdvancedDrawItem());
  EXPECT_FALSE(added->OnMeasureItem());
  delete added;

  // Destroyed: leaves the list.
  delete plain;
  EXPECT_TRUE(second.HookedItems().empty());
  delete custom;
  custom = nullptr;
  EXPECT_EQ(controller->HookedItems(), (std::vector<TOwnerDrawMenuItem*>{settings, showEnglish, hideChinese}));

  // The controller's end unhooks the last first, and the menus show the
  // items in their own look again.
  ChangeRecorder recorder;
  form.menuBar()->installEventFilter(&recorder);
  settings->Action()->menu()->installEventFilter(&recorder);
  delete controller;
  controller = nullptr;
  EXPECT_EQ(recorder.items, (std::vector<TOwnerDrawMenuItem*>{hideChinese, showEnglish, settings}));
  EXPECT_FALSE(settings->OnAdvancedDrawItem());
  EXPECT_FALSE(hideChinese->OnMeasureItem());
}

}  // namespace
}  // namespace zembrot
