#pragma once

// TOpenDialog: the file-open dialog. A chosen file makes its folder the
// process's current directory; a typed name that does not exist is returned
// as chosen, and opening it fails later in the caller.

#include <filesystem>
#include <string>

namespace zembrot {

class TOpenDialog {
 public:
  // "*.txt|*.txt": pairs of display text and pattern.
  std::string Filter;
  int FilterIndex = 1;
  // The chosen file's full path, code-page bytes: what the game shows.
  // Characters the code page lacks are "?" here, so it may name no file.
  std::string FileName;

  // The chosen file as the system named it, to open it by. It follows
  // FileName: once FileName is given another value, it is that value's
  // reading as a file name.
  std::filesystem::path SystemFileName() const;
  // Records `file` as chosen: SystemFileName is `file`, FileName its
  // code-page form. For the dialog, and for whatever stands in for it.
  void SetChosenFile(const std::filesystem::path& file);

  // Runs the dialog through the services seam; true when a file was chosen.
  bool Execute();
  // The real dialog, without the seam.
  bool ExecuteDialog();

 private:
  std::filesystem::path chosenFile_;
  std::string chosenFileName_;  // FileName as it was set with chosenFile_
};

}  // namespace zembrot
