// The yardstick for the game's memory at start: a plain Qt main window of
// the game's client size with the game's menu bar (a submenu of two check
// items and two commands, the same Chinese captions), and nothing else.
// bench/startup_memory.sh starts it beside the game and compares them.

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  QMenu* settings = window.menuBar()->addMenu(QStringLiteral("设置"));
  QAction* english = settings->addAction(QStringLiteral("落下字符显示英文"));
  english->setCheckable(true);
  QAction* noChinese = settings->addAction(QStringLiteral("不显示中文"));
  noChinese->setCheckable(true);
  noChinese->setChecked(true);
  window.menuBar()->addAction(QStringLiteral("自定义练习内容"));
  window.menuBar()->addAction(QStringLiteral("帮 助"));
  auto* client = new QWidget(&window);
  client->setFixedSize(847, 510);
  window.setCentralWidget(client);
  window.show();
  return QApplication::exec();
}
