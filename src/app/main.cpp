// Zembrot: the typing game. The frame runs the main window until it closes.

#include "app/main_window_layout.h"
#include "frame/application.h"
#include "game/form1.h"

int main(int argc, char** argv) {
  zembrot::TApplication application(argc, argv);
  std::unique_ptr<zembrot::TForm1> mainWindow = zembrot::CreateMainWindow();
  return application.Run(*mainWindow);
}
