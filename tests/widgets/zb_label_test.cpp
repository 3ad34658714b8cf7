#include "widgets/zb_label.h"

#include <memory>

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPaintEvent>

#include "base/code_page.h"
#include "widget_test_support.h"
#include "widgets/zb_panel.h"

namespace zembrot {
namespace {

using testing_support::PixelAt;
using testing_support::Render;

const std::string kSong = "\xCB\xCE\xCC\xE5";  // 宋体

// The size a plain text (no accelerator marks) takes in a font.
QSize PlainTextSize(const TFont& font, const QString& text) {
  const QFontMetrics metrics(font.ToQFont());
  return metrics.boundingRect(QRect(0, 0, 100000, 100000), Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs, text)
      .size();
}

TFont SongFont(int height) {
  TFont font;
  font.SetName(kSong);
  font.SetHeight(height);
  return font;
}

struct MeasureCase {
  const char* caption;       // code-page bytes (ASCII here)
  bool showAccelChar;
  const char* measuredAs;    // the plain text whose size the label must take
};

class LabelMeasureTest : public ::testing::TestWithParam<MeasureCase> {};

TEST_P(LabelMeasureTest, TakesTheSizeOfItsDrawnText) {
  const MeasureCase& c = GetParam();
  TZbPanel panel;
  panel.Font().Assign(SongFont(-19));
  TZbLabel label(&panel);
  label.SetShowAccelChar(c.showAccelChar);
  label.SetCaption("x");  // a real change, so the empty caption below is one too
  label.SetCaption(c.caption);
  EXPECT_EQ(label.size(), PlainTextSize(label.Font(), QString::fromUtf8(c.measuredAs))) << c.caption;
}

INSTANTIATE_TEST_SUITE_P(
    Labels, LabelMeasureTest,
    ::testing::Values(MeasureCase{"apple", true, "apple"},
                      // An empty caption has the size of one space.
                      MeasureCase{"", true, " "},
                      // "&" marks the next character and is not drawn; "&&" draws one.
                      MeasureCase{"a&b", true, "ab"}, MeasureCase{"a&&b", true, "a&b"},
                      // A lone "&" is measured with a space after it: the space is what shows.
                      MeasureCase{"&", true, " "},
                      // Without accelerator processing every "&" is text.
                      MeasureCase{"a&b", false, "a&b"}, MeasureCase{"&", false, "&"},
                      // Tabs are expanded; CR LF starts a new line.
                      MeasureCase{"a\tb", true, "a\tb"}, MeasureCase{"one\r\ntwo words", true, "one\ntwo words"}));

TEST(LabelSizing, FallingWordEndsUpTheSizeOfItsCaptionAtItsCorner) {
  TZbPanel panel;
  panel.resize(847, 450);
  auto* word = new TZbLabel(&panel);
  const std::string apple = Utf8ToCodePage("\xE8\x8B\xB9\xE6\x9E\x9C");  // 苹果
  word->SetCaption(apple);
  word->SetHeight(20);
  word->SetWidth(70);
  word->SetLeft(123);
  word->SetTop(-5);
  word->SetTransparent(true);
  word->Font().SetSize(20);
  word->Font().SetName(kSong);
  EXPECT_EQ(word->Font().Height(), -27);
  EXPECT_EQ(word->size(), PlainTextSize(SongFont(-27), QString::fromStdU16String(CodePageToUtf16(apple))));
  EXPECT_EQ(word->Left(), 123);
  EXPECT_EQ(word->Top(), -5);
}

TEST(LabelSizing, LongerCaptionGrowsToTheRightAndEmptyShrinksToOneSpace) {
  TZbPanel panel;
  auto* label = new TZbLabel(&panel);
  label->SetLeft(40);
  label->SetTop(7);
  const struct {
    const char* caption;
    const char* measuredAs;
  } steps[] = {{"pear", "pear"}, {"pineapple juice", "pineapple juice"}, {"", " "}, {"fig", "fig"}};
  for (const auto& step : steps) {
    label->SetCaption(step.caption);
    EXPECT_EQ(label->size(), PlainTextSize(label->Font(), QString::fromUtf8(step.measuredAs))) << step.caption;
    EXPECT_EQ(label->Left(), 40) << step.caption;
    EXPECT_EQ(label->Top(), 7) << step.caption;
  }
}

TEST(LabelSizing, RightJustifiedLabelKeepsItsRightEdge) {
  TZbPanel panel;
  auto* label = new TZbLabel(&panel);
  label->SetAlignment(TAlignment::taRightJustify);
  label->SetCaption("ab");
  label->SetLeft(300);
  const int right = label->Left() + label->Width();
  label->SetCaption("a much longer caption");
  EXPECT_EQ(label->Left() + label->Width(), right);
  EXPECT_LT(label->Left(), 300);
}

TEST(LabelSizing, WithoutAutoSizeTheWrittenBoundsStay) {
  TZbPanel panel;
  auto* label = new TZbLabel(&panel);
  label->SetAutoSize(false);
  label->SetWidth(70);
  label->SetHeight(20);
  label->SetCaption("a caption far wider than seventy pixels");
  label->Font().SetSize(20);
  EXPECT_EQ(label->size(), QSize(70, 20));
}

TEST(LabelCreation, TakesThePanelsFontAndColour) {
  TZbPanel panel;
  panel.Font().Assign(SongFont(-19));
  panel.SetColor(RGB(10, 20, 30));
  TZbLabel label(&panel);
  EXPECT_EQ(label.Font(), panel.Font());
  EXPECT_EQ(label.Color(), RGB(10, 20, 30));
  // The font copy is a font change: the resting colour is the font colour.
  EXPECT_EQ(label.RestingColor(), clWindowText);
  EXPECT_EQ(label.DrawingColor(), clWindowText);
  EXPECT_EQ(label.size(), PlainTextSize(panel.Font(), QStringLiteral(" ")));
  EXPECT_TRUE(label.isVisibleTo(&panel));
}

TEST(LabelCreation, WithoutParentRestsInBlackAtTheDefaultBounds) {
  TZbLabel label;
  EXPECT_EQ(label.RestingColor(), clBlack);
  EXPECT_EQ(label.DrawingColor(), clBlack);
  EXPECT_EQ(label.geometry(), QRect(0, 0, 65, 17));
  EXPECT_FALSE(label.Transparent());
  EXPECT_FALSE(label.Blinking());
  EXPECT_EQ(label.BlinkColor(), clHighlight);
  EXPECT_EQ(label.Color(), clBtnFace);
}

TEST(LabelCreation, InsertedLaterTakesTheNewParentsFont) {
  TZbPanel panel;
  panel.Font().Assign(SongFont(-27));
  TZbLabel label;
  label.setParent(&panel);
  EXPECT_EQ(label.Font().Height(), -27);
  EXPECT_TRUE(label.isVisibleTo(&panel));
}

TEST(LabelCreation, OwnFontIsKeptAfterItIsChanged) {
  TZbPanel panel;
  TZbLabel label(&panel);
  label.Font().SetHeight(-19);
  EXPECT_FALSE(label.ParentFont());
  panel.Font().SetHeight(-40);
  label.setParent(nullptr);
  label.setParent(&panel);
  EXPECT_EQ(label.Font().Height(), -19);
}

TEST(LabelHint, IsStoredButNeverShown) {
  TZbPanel panel;
  TZbLabel label(&panel);
  label.SetHint("apple");
  EXPECT_EQ(label.Hint(), "apple");
  EXPECT_TRUE(label.toolTip().isEmpty());
  EXPECT_FALSE(label.testAttribute(Qt::WA_TransparentForMouseEvents));  // covers what lies under it
}

// ------------------------------------------------------------------ painting

class LabelPaintingTest : public ::testing::Test {
 protected:
  LabelPaintingTest() {
    panel_.resize(200, 100);
    panel_.SetBorderOuter(TFrameStyleEx::fsNone);
    panel_.SetColor(RGB(10, 200, 30));
  }
  testing_support::ScopedPalette palette_;
  TZbPanel panel_;
};

TEST_F(LabelPaintingTest, TransparentLabelShowsTheParentUnderIt) {
  auto* label = new TZbLabel(&panel_);
  label->SetCaption("        ");
  label->SetLeft(20);
  label->SetTop(20);
  label->SetTransparent(true);
  EXPECT_FALSE(label->testAttribute(Qt::WA_OpaquePaintEvent));
  const QImage image = Render(panel_);
  for (int x = label->Left(); x < label->Left() + label->Width(); x += 3) {
    for (int y = label->Top(); y < label->Top() + label->Height(); y += 3) {
      ASSERT_EQ(PixelAt(image, x, y), RGB(10, 200, 30)) << x << "," << y;
    }
  }
}

TEST_F(LabelPaintingTest, OpaqueLabelFillsWithItsColour) {
  auto* label = new TZbLabel(&panel_);
  label->SetCaption("        ");
  label->SetLeft(20);
  label->SetTop(20);
  label->SetColor(RGB(200, 0, 0));
  const QImage image = Render(panel_);
  EXPECT_EQ(PixelAt(image, 21, 21), RGB(200, 0, 0));
  EXPECT_EQ(PixelAt(image, 20 + label->Width() - 1, 20 + label->Height() - 1), RGB(200, 0, 0));
  EXPECT_EQ(PixelAt(image, 20 + label->Width(), 20), RGB(10, 200, 30));
}

// True when some pixel of the label's area has exactly `color`.
bool LabelShows(const QImage& image, const TZbLabel& label, TColor color) {
  for (int x = label.Left(); x < label.Left() + label.Width(); ++x) {
    for (int y = label.Top(); y < label.Top() + label.Height(); ++y) {
      if (PixelAt(image, x, y) == color) return true;
    }
  }
  return false;
}

TEST_F(LabelPaintingTest, TextIsDrawnInTheDrawingColour) {
  auto* label = new TZbLabel(&panel_);
  label->SetTransparent(true);
  label->Font().SetHeight(-40);
  label->Font().SetColor(RGB(255, 0, 0));
  label->SetBlinkColor(RGB(0, 0, 255));
  label->SetCaption("HIM");
  EXPECT_TRUE(LabelShows(Render(panel_), *label, RGB(255, 0, 0)));
  label->SetBlinking(true);
  label->BlinkNotify(1);
  const QImage blinking = Render(panel_);
  EXPECT_TRUE(LabelShows(blinking, *label, RGB(0, 0, 255)));
  EXPECT_FALSE(LabelShows(blinking, *label, RGB(255, 0, 0)));
  label->setEnabled(false);
  EXPECT_TRUE(LabelShows(Render(panel_), *label, RGB(109, 109, 109)));
}

// Counts its own paints, to tell "repainted at once" from "marked".
class CountingLabel : public TZbLabel {
 public:
  using TZbLabel::TZbLabel;
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent* event) override {
    ++paints;
    TZbLabel::paintEvent(event);
  }
};

TEST(LabelRepaint, CaptionChangeAndRepaintNowDrawBeforeReturningOtherChangesOnlyMark) {
  QWidget window;
  window.resize(300, 200);
  auto* panel = new TZbPanel(&window);
  panel->resize(300, 150);
  auto* label = new CountingLabel(panel);
  label->SetCaption("start");
  testing_support::ShowActive(window);
  QCoreApplication::processEvents();

  const struct {
    const char* what;
    std::function<void()> action;
    bool atOnce;
  } steps[] = {
      {"caption", [&] { label->SetCaption("changed"); }, true},
      {"same caption", [&] { label->SetCaption("changed"); }, false},
      {"RepaintNow", [&] { label->RepaintNow(); }, true},
      {"move", [&] { label->SetLeft(30); }, false},
      {"colour", [&] { label->SetColor(RGB(1, 1, 1)); }, false},
      {"font", [&] { label->Font().SetSize(20); }, false},
      {"blinking on", [&] { label->SetBlinking(true); }, false},
      {"blink phase", [&] { label->BlinkNotify(1); }, true},
      {"blinking off", [&] { label->SetBlinking(false); }, true},
      {"phase while not blinking", [&] { label->BlinkNotify(1); }, false},
  };
  for (const auto& step : steps) {
    QCoreApplication::processEvents();
    const int before = label->paints;
    step.action();
    EXPECT_EQ(label->paints > before, step.atOnce) << step.what;
  }
}

TEST(LabelRepaint, HiddenLabelIsNotPaintedByRepaintNow) {
  TZbPanel panel;  // never shown
  CountingLabel label(&panel);
  label.RepaintNow();
  label.SetCaption("hidden");
  EXPECT_EQ(label.paints, 0);
}

}  // namespace
}  // namespace zembrot
