// Zembrot: the typing game. The frame runs the main window until it closes.

#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>

#include "app/command_line.h"
#include "app/main_window_layout.h"
#include "app/record_commands.h"
#include "frame/application.h"
#include "game/form1.h"
#include "progress/learning_record.h"

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
    case zembrot::StartRequest::kMissingExportFile:
      std::fputs(zembrot::MissingExportFileText().c_str(), stderr);
      return zembrot::kUsageExitCode;
    case zembrot::StartRequest::kExportReviews: {
      const QCoreApplication terminal(argc, argv);
      return zembrot::ExportReviews(zembrot::ExportFileOf(arguments));
    }
    case zembrot::StartRequest::kShowStatistics: {
      const QCoreApplication terminal(argc, argv);
      return zembrot::PrintStatistics();
    }
    case zembrot::StartRequest::kPlay:
      break;
  }

  zembrot::TApplication application(argc, argv);
  // Qt has taken its own options out of argv; of what is left only
  // --progress is ours.
  bool keepProgress = false;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == zembrot::kProgressOption) {
      keepProgress = true;
      continue;
    }
    std::fputs(zembrot::UnknownArgumentText(argv[i]).c_str(), stderr);
    return zembrot::kUsageExitCode;
  }
  // Lets the desktop match the window to the menu entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(ZEMBROT_APP_ID));
  QApplication::setWindowIcon(GameIcon());

  std::unique_ptr<zembrot::TForm1> mainWindow = zembrot::CreateMainWindow();
  // Without --progress and without a record, this touches no file at all.
  const zembrot::progress::LearningRecord learningRecord(*mainWindow, keepProgress);
  return application.Run(*mainWindow);
}
