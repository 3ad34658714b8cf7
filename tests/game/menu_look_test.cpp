// The main window's menu as the layout builds it: owner-drawn by
// ZbMenuController1, in the platform's menu font, showing N4's check cell
// while N4 is checked.

#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "../widgets/widget_test_support.h"
#include "frame/menu.h"
#include "game_fixture.h"
#include "widgets/zb_menu_controller.h"

namespace zembrot::testing {
namespace {

using testing_support::PixelAt;

class MenuLookTest : public GameTest {};

TEST_F(MenuLookTest, EveryItemOfTheWindowIsHookedAndTheBarUsesTheMenuFont) {
  ASSERT_NE(form_->ZbMenuController1, nullptr);
  EXPECT_EQ(form_->ZbMenuController1->parent(), form_.get());
  EXPECT_EQ(form_->ZbMenuController1->GradientColorStyle(), TGradientColorStyle::gcsSystem);
  EXPECT_EQ(form_->ZbMenuController1->HookedItems(),
            (std::vector<TOwnerDrawMenuItem*>{form_->N1, form_->N2, form_->N4, form_->N3, form_->N5}));
  EXPECT_TRUE(form_->MainMenu1->OwnerDraw());
  EXPECT_EQ(form_->menuBar()->font(), QApplication::font("QMenuBar"));
  EXPECT_NE(form_->menuBar()->font(), form_->font());
  // The client area keeps its size below the taller bar.
  EXPECT_EQ(form_->menuBar()->actionGeometry(form_->N1->Action()).height(), 22);
  EXPECT_EQ(form_->height() - form_->menuBar()->sizeHint().height(), 510);
}

// Under the items and beyond the last one, the bar is button face down to
// its last pixel row: no line is drawn under any part of it.
TEST_F(MenuLookTest, BarIsButtonFaceToItsBottomRowFromEdgeToEdge) {
  testing_support::ScopedPalette palette;
  form_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  const QImage shown = form_->menuBar()->grab().toImage();
  ASSERT_EQ(shown.width(), 847);
  const int emptyFrom = form_->menuBar()->actionGeometry(form_->N5->Action()).right() + 1;
  ASSERT_LT(emptyFrom, shown.width()) << "no empty part to look at";
  const struct {
    const char* name;
    QRect area;
  } cases[] = {
      {"bottom row, edge to edge", QRect(0, shown.height() - 1, shown.width(), 1)},
      {"empty part right of the items", QRect(emptyFrom, 0, shown.width() - emptyFrom, shown.height())},
  };
  for (const auto& c : cases) {
    int others = 0;
    for (int y = c.area.top(); y <= c.area.bottom(); ++y) {
      for (int x = c.area.left(); x <= c.area.right(); ++x) others += PixelAt(shown, x, y) != RGB(212, 208, 200);
    }
    EXPECT_EQ(others, 0) << c.name << " (bar " << shown.width() << " x " << shown.height() << ")";
  }
}

TEST_F(MenuLookTest, CheckCellOfN4FollowsN4Click) {
  testing_support::ScopedPalette palette;
  QMenu* settings = form_->N1->Action()->menu();
  ASSERT_NE(settings, nullptr);
  settings->adjustSize();
  const QRect hideChinese = settings->actionGeometry(form_->N4->Action());
  const QRect showEnglish = settings->actionGeometry(form_->N2->Action());
  ASSERT_EQ(hideChinese.height(), 22);
  const int captionWidth = QFontMetrics(settings->font()).horizontalAdvance(QString::fromUtf8("落下字符显示英文"));
  EXPECT_GE(showEnglish.width(), captionWidth + 31);

  // The check mark's first column, and the cell's frame.
  QImage shown = settings->grab().toImage();
  EXPECT_EQ(PixelAt(shown, hideChinese.left() + 8, hideChinese.top() + 10), RGB(1, 2, 3));
  EXPECT_EQ(PixelAt(shown, hideChinese.left() + 1, hideChinese.top() + 1), RGB(0, 120, 215));
  EXPECT_EQ(PixelAt(shown, showEnglish.left() + 8, showEnglish.top() + 10), RGB(235, 233, 229));

  // Unchecked: the icon bar's gradient alone, as for N2.
  form_->N4Click(form_->N4);
  shown = settings->grab().toImage();
  EXPECT_EQ(PixelAt(shown, hideChinese.left() + 8, hideChinese.top() + 10), RGB(235, 233, 229));
  EXPECT_EQ(PixelAt(shown, hideChinese.left() + 1, hideChinese.top() + 1), RGB(250, 250, 249));
}

}  // namespace
}  // namespace zembrot::testing
