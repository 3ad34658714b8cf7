#include "widgets/font.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>

namespace zembrot {
namespace {

const std::string kSong = "\xCB\xCE\xCC\xE5";  // 宋体

struct SizeCase {
  int points;
  int height;
};

class FontSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(FontSizeTest, PointsBecomeNegativePixelHeightAt96PixelsPerInch) {
  TFont font;
  font.SetSize(GetParam().points);
  EXPECT_EQ(font.Height(), GetParam().height);
  EXPECT_EQ(font.Size(), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(Fonts, FontSizeTest,
                         ::testing::Values(SizeCase{8, -11}, SizeCase{9, -12}, SizeCase{10, -13}, SizeCase{12, -16},
                                           SizeCase{14, -19}, SizeCase{20, -27}, SizeCase{72, -96}));

TEST(FontSize, HeightReadsBackAsRoundedPoints) {
  const struct {
    int height;
    int points;
  } cases[] = {{-11, 8}, {-19, 14}, {-13, 10}, {-27, 20}, {-96, 72}, {0, 0},
               // Heights that land on half a point round away from zero.
               {-2, 2}, {-6, 5}, {-10, 8}, {-14, 11}, {2, -2}};
  for (const auto& c : cases) {
    TFont font;
    font.SetHeight(c.height);
    EXPECT_EQ(font.Size(), c.points) << c.height;
  }
}

TEST(Font, StartsAsTheWindowFont) {
  const TFont font;
  EXPECT_EQ(font.Name(), "MS Sans Serif");
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Color(), clWindowText);
  EXPECT_FALSE(font.Bold());
}

TEST(Font, NotifiesOncePerRealChange) {
  TFont font;
  int changes = 0;
  font.OnChange = [&] { ++changes; };
  const struct {
    const char* what;
    std::function<void()> change;
    int expected;
  } steps[] = {
      {"size", [&] { font.SetSize(20); }, 1},
      {"same size", [&] { font.SetSize(20); }, 0},
      {"same height", [&] { font.SetHeight(-27); }, 0},
      {"name", [&] { font.SetName(kSong); }, 1},
      {"same name", [&] { font.SetName(kSong); }, 0},
      {"colour", [&] { font.SetColor(RGB(1, 2, 3)); }, 1},
      {"bold", [&] { font.SetBold(true); }, 1},
      {"assign", [&] { font.Assign(TFont()); }, 1},
  };
  for (const auto& step : steps) {
    changes = 0;
    step.change();
    EXPECT_EQ(changes, step.expected) << step.what;
  }
  EXPECT_EQ(font, TFont());
}

TEST(Font, QtFontHasThePixelHeightAndAnInstalledFace) {
  const struct {
    std::string name;
    int height;
    const char* facePrefix;
  } cases[] = {
      {kSong, -27, "AR PL UMing"},
      {kSong, -19, "AR PL UMing"},
      {"MS Sans Serif", -11, "DejaVu Sans"},
  };
  for (const auto& c : cases) {
    TFont font;
    font.SetName(c.name);
    font.SetHeight(c.height);
    const QFont qfont = font.ToQFont();
    EXPECT_EQ(qfont.pixelSize(), -c.height);
    const QString family = QFontInfo(qfont).family();
    EXPECT_TRUE(family.startsWith(QString::fromLatin1(c.facePrefix))) << family.toStdString();
  }
}

TEST(Font, BoldCarriesOver) {
  TFont font;
  font.SetBold(true);
  EXPECT_TRUE(font.ToQFont().bold());
}

}  // namespace
}  // namespace zembrot
