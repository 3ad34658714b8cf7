// TMainMenu and TMenuItem: the bar's entries, check marks, and clicks that
// run the handler without touching Checked.

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include "frame/form.h"
#include "frame/menu.h"
#include "frame_test_support.h"

namespace zembrot {
namespace {

// The game's menu shape: a drop-down with two settings and two commands
// directly on the bar.
class MenuFixture : public ::testing::Test {
 protected:
  MenuFixture() : menu(&form) {
    settings = NewItem("\xC9\xE8\xD6\xC3");  // 设置
    showEnglish = NewItem("\xC2\xE4\xCF\xC2");
    hideChinese = NewItem("\xB2\xBB\xCF\xD4");
    custom = NewItem("\xD7\xD4\xB6\xA8");
    help = NewItem("\xB0\xEF \xD6\xFA");
    hideChinese->SetChecked(true);
    settings->Add(showEnglish);
    settings->Add(hideChinese);
    menu.Add(settings);
    menu.Add(custom);
    menu.Add(help);
    form.SetMenu(&menu);
  }

  TMenuItem* NewItem(const char* caption) {
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    item->OnClick = [this](QObject* sender) { clicks.push_back(static_cast<TMenuItem*>(sender)); };
    return item;
  }

  TForm form;
  TMainMenu menu;
  TMenuItem* settings = nullptr;
  TMenuItem* showEnglish = nullptr;
  TMenuItem* hideChinese = nullptr;
  TMenuItem* custom = nullptr;
  TMenuItem* help = nullptr;
  std::vector<TMenuItem*> clicks;
};

TEST_F(MenuFixture, EntriesShowOnTheBarAndInTheDropDown) {
  const QList<QAction*> bar = form.menuBar()->actions();
  ASSERT_EQ(bar.size(), 3);
  EXPECT_EQ(bar[0], settings->Action());
  EXPECT_NE(settings->Action()->menu(), nullptr);
  EXPECT_EQ(bar[1], custom->Action());
  EXPECT_EQ(bar[1]->menu(), nullptr);
  EXPECT_EQ(bar[2]->text(), QString::fromUtf8("帮 助"));
  EXPECT_EQ(bar[0]->text(), QString::fromUtf8("设置"));
  const QList<QAction*> dropDown = settings->Action()->menu()->actions();
  ASSERT_EQ(dropDown.size(), 2);
  EXPECT_EQ(dropDown[0], showEnglish->Action());
  EXPECT_EQ(dropDown[1], hideChinese->Action());
  EXPECT_TRUE(dropDown[0]->shortcut().isEmpty());
}

TEST_F(MenuFixture, CheckMarksFollowCheckedInDropDownsOnly) {
  struct Case {
    TMenuItem* item;
    bool checked;
    bool markShown;
  };
  const std::vector<Case> cases = {
      {showEnglish, true, true},
      {showEnglish, false, false},
      {hideChinese, false, false},
      {hideChinese, true, true},
      {custom, true, false},
  };
  EXPECT_TRUE(hideChinese->Action()->isChecked());
  EXPECT_FALSE(showEnglish->Action()->isChecked());
  for (const Case& testCase : cases) {
    TMenuItem* item = testCase.item;
    item->SetChecked(testCase.checked);
    EXPECT_EQ(item->Checked(), testCase.checked);
    EXPECT_EQ(item->Action()->isChecked(), testCase.markShown);
  }
}

TEST_F(MenuFixture, TriggeringRunsTheHandlerAndNeverChangesChecked) {
  struct Case {
    TMenuItem* item;
    bool checkedBefore;
  };
  const std::vector<Case> cases = {
      {hideChinese, true},
      {showEnglish, false},
      {custom, false},
      {help, false},
  };
  for (const Case& testCase : cases) {
    TMenuItem* item = testCase.item;
    clicks.clear();
    item->SetChecked(testCase.checkedBefore);
    item->Action()->trigger();
    EXPECT_EQ(clicks, std::vector<TMenuItem*>{item});
    EXPECT_EQ(item->Checked(), testCase.checkedBefore);
    EXPECT_EQ(item->Action()->isChecked(), testCase.checkedBefore && item != custom && item != help);
  }
}

TEST_F(MenuFixture, HandlerDecidesTheCheckMark) {
  showEnglish->OnClick = [this](QObject*) { showEnglish->SetChecked(!showEnglish->Checked()); };
  showEnglish->Action()->trigger();
  EXPECT_TRUE(showEnglish->Checked());
  EXPECT_TRUE(showEnglish->Action()->isChecked());
  showEnglish->Action()->trigger();
  EXPECT_FALSE(showEnglish->Checked());
  EXPECT_FALSE(showEnglish->Action()->isChecked());
}

TEST_F(MenuFixture, FailingHandlerIsReportedAndTheMenuGoesOn) {
  testing_support::RecordedErrors errors;
  custom->OnClick = [](QObject*) { throw std::runtime_error("no such file"); };
  custom->Action()->trigger();
  help->Click();
  EXPECT_EQ(errors.messages, std::vector<std::string>{"no such file"});
  EXPECT_EQ(clicks, std::vector<TMenuItem*>{help});
}

TEST_F(MenuFixture, CaptionAndEnabledReachTheEntry) {
  custom->SetCaption("Custom");
  custom->SetEnabled(false);
  EXPECT_EQ(custom->Action()->text(), QStringLiteral("Custom"));
  EXPECT_FALSE(custom->Action()->isEnabled());
}

TEST_F(MenuFixture, ItemsAddedLaterAppear) {
  auto* extra = NewItem("Extra");
  settings->Add(extra);
  ASSERT_EQ(settings->Action()->menu()->actions().size(), 3);
  EXPECT_EQ(settings->Action()->menu()->actions()[2], extra->Action());
  auto* sub = NewItem("Sub");
  help->Add(sub);
  ASSERT_NE(help->Action()->menu(), nullptr);
  EXPECT_EQ(form.menuBar()->actions().size(), 3);
  EXPECT_EQ(form.menuBar()->actions()[2], help->Action());
  sub->Action()->trigger();
  EXPECT_EQ(clicks, std::vector<TMenuItem*>{sub});
}

TEST_F(MenuFixture, FreedItemsLeaveTheirMenu) {
  auto* extra = NewItem("Extra");
  settings->Add(extra);
  delete extra;
  ASSERT_EQ(settings->Items().size(), 2u);
  EXPECT_EQ(settings->Action()->menu()->actions().size(), 2);
  const std::size_t onBar = menu.Items().size();
  delete help;
  EXPECT_EQ(menu.Items().size(), onBar - 1);
  EXPECT_EQ(form.menuBar()->actions().size(), static_cast<int>(onBar - 1));
  help = nullptr;
}

// An owner-drawn menu: every item with a draw handler is measured and drawn
// by its handlers, the others by the platform's look.
class OwnerDrawFixture : public ::testing::Test {
 protected:
  struct Drawn {
    TMenuItem* item;
    QRect rect;
    TOwnerDrawState state;
  };

  OwnerDrawFixture() : menu(&form) {
    menu.SetOwnerDraw(true);
    settings = NewItem("Settings");
    one = NewItem("&One && Two");
    two = NewItem("Two");
    separator = NewItem("-");
    three = NewItem("Three");
    plain = new TMenuItem(&form);
    plain->SetCaption("Plain");
    command = NewItem("Command");
    one->SetChecked(true);
    two->SetEnabled(false);
    three->SetDefault(true);
    for (TMenuItem* item : {one, two, separator, three, plain}) settings->Add(item);
    menu.Add(settings);
    menu.Add(command);
    form.setFont(QFont(QStringLiteral("Serif"), 20));
    form.SetMenu(&menu);
  }

  TMenuItem* NewItem(const char* caption) {
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    item->SetOnMeasureItem([this](TOwnerDrawMenuItem* measured, const QFont&, int& width, int& height) {
      defaultWidths[static_cast<TMenuItem*>(measured)] = width;
      width += 100;
      height = measured->IsSeparator() ? 5 : 30;
    });
    item->SetOnAdvancedDrawItem(
        [this](TOwnerDrawMenuItem* drawn, QPainter& canvas, const QRect& rect, TOwnerDrawState state) {
          canvas.fillRect(rect, Qt::green);
          drawn_.push_back({static_cast<TMenuItem*>(drawn), rect, state});
        });
    return item;
  }

  const Drawn* Find(TMenuItem* item) const {
    for (const Drawn& drawn : drawn_) {
      if (drawn.item == item) return &drawn;
    }
    return nullptr;
  }

  TForm form;
  TMainMenu menu;
  TMenuItem* settings = nullptr;
  TMenuItem* one = nullptr;
  TMenuItem* two = nullptr;
  TMenuItem* separator = nullptr;
  TMenuItem* three = nullptr;
  TMenuItem* plain = nullptr;
  TMenuItem* command = nullptr;
  std::map<TMenuItem*, int> defaultWidths;
  std::vector<Drawn> drawn_;
};

TEST_F(OwnerDrawFixture, HandlersMeasureAndDrawTheirItems) {
  QMenu* dropDown = settings->Action()->menu();
  ASSERT_NE(dropDown, nullptr);
  EXPECT_TRUE(separator->Action()->isSeparator());
  EXPECT_TRUE(separator->IsSeparator());
  EXPECT_TRUE(settings->IsInMenuBar());
  EXPECT_FALSE(one->IsInMenuBar());
  EXPECT_EQ(one->Parent(), settings);

  dropDown->adjustSize();
  // The default measure is the caption's width in the menu font, "&" not counted.
  const QFontMetrics metrics(dropDown->font());
  EXPECT_EQ(defaultWidths[one], metrics.horizontalAdvance(QStringLiteral("One & Two")));
  EXPECT_EQ(defaultWidths[separator], 0);
  EXPECT_EQ(dropDown->actionGeometry(one->Action()).height(), 30);
  EXPECT_EQ(dropDown->actionGeometry(separator->Action()).height(), 5);
  EXPECT_NE(dropDown->actionGeometry(plain->Action()).height(), 30);
  EXPECT_GE(dropDown->actionGeometry(one->Action()).width(), defaultWidths[three] + 100);

  dropDown->setActiveAction(three->Action());
  const QImage image = dropDown->grab().toImage();
  struct Case {
    TMenuItem* item;
    TOwnerDrawState state;
  };
  const std::vector<Case> cases = {
      {one, odChecked},
      {two, odDisabled | odGrayed},
      {separator, 0},
      {three, odSelected | odDefault},
  };
  for (const Case& c : cases) {
    const Drawn* drawn = Find(c.item);
    ASSERT_NE(drawn, nullptr) << c.item->Caption();
    EXPECT_EQ(drawn->state, c.state) << c.item->Caption();
    EXPECT_EQ(drawn->rect, dropDown->actionGeometry(c.item->Action())) << c.item->Caption();
  }
  EXPECT_EQ(Find(plain), nullptr);
  const QRect oneRect = dropDown->actionGeometry(one->Action());
  EXPECT_EQ(image.pixelColor(oneRect.center()), QColor(Qt::green));
}

TEST_F(OwnerDrawFixture, BarUsesTheMenuFontAndTellsAnInactiveWindow) {
  EXPECT_EQ(form.menuBar()->font(), QApplication::font("QMenuBar"));
  EXPECT_NE(form.menuBar()->font(), form.font());
  EXPECT_EQ(form.menuBar()->actionGeometry(command->Action()).height(), 30);
  EXPECT_EQ(defaultWidths[command], QFontMetrics(form.menuBar()->font()).horizontalAdvance(QStringLiteral("Command")));

  form.resize(800, 300);  // room for both bar items
  form.show();
  form.activateWindow();
  ASSERT_TRUE(testing_support::RunEventsUntil([&] { return QApplication::activeWindow() == &form; }));
  form.menuBar()->grab();
  ASSERT_NE(Find(command), nullptr);
  EXPECT_EQ(Find(command)->state, 0u);

  // Another window takes the activation.
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(testing_support::RunEventsUntil([&] { return QApplication::activeWindow() == &other; }));
  drawn_.clear();
  form.menuBar()->grab();
  ASSERT_NE(Find(command), nullptr);
  EXPECT_EQ(Find(command)->state, odInactive);
}

}  // namespace
}  // namespace zembrot
