#pragma once

// The main window's stored layout: the window, its controls, timers, menu
// tree, speech component and open dialog, and the building of Form1 from it.

#include <memory>

namespace zembrot {

class TForm1;

// Builds the components of `form` from the layout, binds every handler
// through the handler guard, and does nothing else.
void BuildMainWindow(TForm1& form);

// The main window as the program starts it: built from the layout, then
// FormCreate through the guard, so an error escaping it is reported before
// the window is shown and the window still opens. Services (dice, speech
// server, dialogs) must be installed before this is called.
std::unique_ptr<TForm1> CreateMainWindow();

}  // namespace zembrot
