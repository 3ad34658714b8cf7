// A notice of megabytes (the game-over list holding a 10 MB practice line)
// fits on the screen and lays out only what can be seen; Ctrl+C still copies
// the whole text.

#include <string>

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "frame/message_form.h"
#include "frame/message_form_dialog.h"

namespace zembrot {
namespace {

std::string Repeated(const std::string& piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(LongNoticeTest, NeverTallerOrWiderThanTheScreen) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const int halfScreen = screen.width() / 2;
  const std::string tenMegabyteLine = "apple," + Repeated("\xD6\xD0", 5 * 1024 * 1024);  // 中...
  struct Case {
    const char* name;
    std::string text;
  };
  const Case cases[] = {
      // The game-over notice: a text, a lone carriage return, the list.
      {"one 10 MB line", "Game over\r" + tenMegabyteLine + "\r\npear,\xC0\xE6\r\n"},
      // A word far wider than the box: no break anywhere in it.
      {"one long word", Repeated("w", 100000)},
      {"many short lines", Repeated("a\r\n", 100000)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMessageForm form("Zembrot", c.text, halfScreen);
    EXPECT_LE(form.width(), screen.width());
    EXPECT_LE(form.height(), screen.height());
    EXPECT_LE(form.MessageLabel()->width(), halfScreen);
    EXPECT_GT(form.MessageLabel()->height(), 0);
    // Only a screenful is ever laid out: a cut of 8192 characters at most.
    EXPECT_LE(form.DisplayText().size(), 8193);
    EXPECT_EQ(form.DisplayText().back(), QChar(0x2026));
    // The button stays inside the notice, below the text.
    EXPECT_LE(form.OkButton()->geometry().bottom(), form.height());
    // Ctrl+C: every byte of the text.
    const std::string copied = form.ClipboardText();
    EXPECT_NE(copied.find(c.text), std::string::npos);
    EXPECT_FALSE(form.grab().isNull());
  }
}

TEST(LongNoticeTest, TextCutAtTheScreenKeepsWholeLines) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  TMessageForm form("Zembrot", Repeated("line\r", 2000), screen.width() / 2);
  const int lineSpacing = QFontMetrics(form.font()).lineSpacing();
  EXPECT_EQ(form.MessageLabel()->height() % lineSpacing, 0) << form.MessageLabel()->height();
  EXPECT_LE(form.height(), screen.height());
  // A short notice is not affected.
  TMessageForm shortNotice("Zembrot", "one\rtwo", screen.width() / 2);
  EXPECT_EQ(shortNotice.DisplayText(), QStringLiteral("one\ntwo"));
}

}  // namespace
}  // namespace zembrot
