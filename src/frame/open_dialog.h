#pragma once

// TOpenDialog: the file-open dialog. A chosen file makes its folder the
// process's current directory; a typed name that does not exist is returned
// as chosen, and opening it fails later in the caller.

#include <string>

namespace zembrot {

class TOpenDialog {
 public:
  // "*.txt|*.txt": pairs of display text and pattern.
  std::string Filter;
  int FilterIndex = 1;
  // The chosen file's full path, code-page bytes.
  std::string FileName;

  // Runs the dialog through the services seam; true when a file was chosen.
  bool Execute();
  // The real dialog, without the seam.
  bool ExecuteDialog();
};

}  // namespace zembrot
