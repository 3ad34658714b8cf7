// Captions of megabytes: what is measured and painted is a cut of at most
// 1024 characters and an ellipsis, while the caption itself stays whole.

#include <string>

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "base/shown_text.h"
#include "widget_test_support.h"
#include "widgets/zb_check_box.h"
#include "widgets/zb_label.h"
#include "widgets/zb_panel.h"

namespace zembrot {
namespace {

using testing_support::Render;

const std::string kZhong = "\xD6\xD0";  // 中
const std::string kSong = "\xCB\xCE\xCC\xE5";  // 宋体

std::string Repeated(const std::string& piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// "apple," and 10 MB of Chinese text: the practice line that used to
// freeze the window.
std::string TenMegabyteLine() { return "apple," + Repeated(kZhong, 5 * 1024 * 1024); }

TEST(ShownTextTest, CutsAfterTheLongestLengthWithAnEllipsis) {
  const struct {
    std::string bytes;
    std::size_t longest;
    std::u16string shown;
  } cases[] = {
      {"", 4, u""},
      {"abcd", 4, u"abcd"},
      {"abcde", 4, u"abcd\u2026"},
      {"\xD6\xD0\xCE\xC4", 4, u"中文"},             // 4 bytes, 2 characters: whole
      {"\xD6\xD0\xCE\xC4\xD6\xD0\xCE\xC4", 4, u"中文中文"},  // 8 bytes, exactly 4 characters: nothing cut
      {"\xD6\xD0\xCE\xC4\xD6\xD0\xCE\xC4" "ab", 4, u"中文中文\u2026"},
      {"ab\xD6\xD0\xCE\xC4\xD6\xD0", 3, u"ab中\u2026"},
      // A stray byte is one character, as everywhere else.
      {"\xFF" "abcdef", 3, u"\uFFFDab\u2026"},
      {"\xD6\xD0\xCE\xC4\xD6\xD0\xCE\xC4\xD6", 4, u"中文中文\u2026"},  // a cut lead byte at the very end
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShownText(c.bytes, c.longest), c.shown) << c.bytes;
  }
  // Of 10 MB only what is shown is converted and kept.
  const std::u16string shown = ShownText(TenMegabyteLine(), 1024);
  EXPECT_EQ(shown, u"apple," + std::u16string(1018, u'中') + u"\u2026");
}

TEST(FindBytesTest, FindsTheFirstOccurrenceByteWise) {
  const struct {
    std::string text;
    std::string pattern;
    std::size_t position;
  } cases[] = {
      {"abc", "", 0},
      {"", "a", std::string::npos},
      {"abc", "abcd", std::string::npos},
      {"xxabcabc", "abc", 2},
      {"ab?apple", "apple", 3},
      {"\xC6\xBB\xB9\xFB" "apple", "\xC6\xBB\xB9\xFB", 0},
      {"\xC6\xBB?\xFB" "apple", "\xC6\xBB\xB9\xFB", std::string::npos},
      {std::string("a\0b", 3), std::string("\0b", 2), 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindBytes(c.text, c.pattern), c.position) << c.text << " / " << c.pattern;
  }
  // Periodic megabytes that almost match everywhere: found at the end.
  const std::string text = Repeated("a", 4 * 1024 * 1024) + "b";
  const std::string pattern = Repeated("a", 2 * 1024 * 1024) + "b";
  EXPECT_EQ(FindBytes(text, pattern), 2u * 1024 * 1024);
}

TEST(LongCaptionTest, LabelMeasuresAndPaintsTheCutAndKeepsTheWholeCaption) {
  TZbPanel panel;
  panel.resize(800, 600);
  TFont font;
  font.SetName(kSong);
  font.SetSize(20);
  panel.Font().Assign(font);
  TZbLabel label(&panel);
  label.SetTransparent(true);
  const std::string line = TenMegabyteLine();
  label.SetCaption(line);
  EXPECT_EQ(label.Caption(), line);
  const QString cut = QStringLiteral("apple,") + QString(1018, QChar(u'中')) + QChar(0x2026);
  const QSize expected =
      QFontMetrics(label.Font().ToQFont())
          .boundingRect(QRect(0, 0, 0x7FFFFF, 0x7FFFFF), Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs, cut)
          .size();
  EXPECT_EQ(label.size(), expected);
  // The 72-point celebration size stays bounded the same way.
  label.Font().SetSize(72);
  EXPECT_LT(label.Width(), 1030 * 100);
  EXPECT_FALSE(Render(panel).isNull());
  // ZbLabel1's kind: opaque, a 19-pixel font.
  TZbLabel typed(&panel);
  typed.Font().SetHeight(-19);
  typed.SetCaption(line);
  EXPECT_EQ(typed.Caption(), line);
  EXPECT_LT(typed.Width(), 1030 * 20);
  EXPECT_FALSE(Render(typed).isNull());
}

TEST(LongCaptionTest, HintLineKeepsTheWholeCaptionAndPaints) {
  TZbPanel panel;
  panel.resize(800, 600);
  TZbCheckBox box(&panel);
  box.setGeometry(10, 10, 600, 20);
  const std::string line = TenMegabyteLine();
  box.SetCaption(line);
  EXPECT_EQ(box.Caption(), line);
  EXPECT_FALSE(Render(box).isNull());
}

}  // namespace
}  // namespace zembrot
