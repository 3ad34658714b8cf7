// Zembrot: the typing game. The frame runs the main window until it closes.

#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>

#include "app/command_line.h"
#include "app/main_window_layout.h"
#include "frame/application.h"
#include "game/form1.h"

namespace {

// Every size of the icon drawn for the game, compiled in, so that the window
// shows it whether the program is installed or run from the build folder.
QIcon GameIcon() {
  QIcon icon;
  // The folder holds the PNG images alone. A name filter would cost the
  // program a compiled pattern and about half a megabyte resident.
  for (const QFileInfo& image : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files)) {
    icon.addFile(image.filePath());
  }
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments = argc > 1 ? std::vector<std::string>(argv + 1, argv + argc)
                                                      : std::vector<std::string>();
  switch (zembrot::RequestOf(arguments)) {
    case zembrot::StartRequest::kShowUsage:
      std::fputs(zembrot::UsageText().c_str(), stdout);
      return 0;
    case zembrot::StartRequest::kShowVersion:
      std::fputs(zembrot::VersionText().c_str(), stdout);
      return 0;
    case zembrot::StartRequest::kPlay:
      break;
  }

  zembrot::TApplication application(argc, argv);
  // Qt has taken its own options out of argv; whatever is left is not ours.
  if (argc > 1) {
    std::fputs(zembrot::UnknownArgumentText(argv[1]).c_str(), stderr);
    return zembrot::kUsageExitCode;
  }
  // Lets the desktop match the window to the menu entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(ZEMBROT_APP_ID));
  QApplication::setWindowIcon(GameIcon());

  std::unique_ptr<zembrot::TForm1> mainWindow = zembrot::CreateMainWindow();
  return application.Run(*mainWindow);
}
