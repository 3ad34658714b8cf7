#include "frame/open_dialog.h"

#include <filesystem>
#include <system_error>

#include <QApplication>
#include <QFileInfo>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include "base/code_page.h"
#include "frame/services.h"
#include "widgets/caption_text.h"

namespace zembrot {

namespace {

// "Text files|*.txt;*.text|All|*.*" -> "Text files (*.txt *.text)", "All (*.*)".
// An entry whose display text is its pattern shows just the pattern.
QStringList NameFilters(const std::string& filter) {
  const QStringList parts = CodePageToQString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype index = 0; index + 1 < parts.size(); index += 2) {
    const QString& display = parts[index];
    QString patterns = parts[index + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << (display == patterns ? patterns : display + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return filters;
}

// Centred horizontally on the monitor of the active window, its top at a
// third of the height the dialog leaves free.
void PlaceDialog(QFileDialog& dialog) {
  const QWidget* owner = QApplication::activeWindow();
  const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  const QSize size = dialog.size();
  dialog.move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 3);
}

}  // namespace

std::filesystem::path TOpenDialog::SystemFileName() const {
  if (!chosenFile_.empty() && FileName == chosenFileName_) return chosenFile_;
  return CodePageToFileName(FileName);
}

void TOpenDialog::SetChosenFile(const std::filesystem::path& file) {
  chosenFile_ = file;
  FileName = chosenFileName_ = FileNameToCodePage(file);
}

bool TOpenDialog::Execute() { return CurrentServices().ExecuteOpenDialog(*this); }

bool TOpenDialog::ExecuteDialog() {
  QFileDialog dialog(QApplication::activeWindow());
  // Qt's own dialog: it behaves the same on every platform and under Xvfb.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // A typed name that does not exist is returned; opening it fails later.
  dialog.setFileMode(QFileDialog::AnyFile);
  const QStringList filters = NameFilters(Filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const int index = FilterIndex >= 1 && FilterIndex <= filters.size() ? FilterIndex - 1 : 0;
    dialog.selectNameFilter(filters[index]);
  }
  if (!FileName.empty()) dialog.selectFile(CodePageToQString(FileName));
  dialog.resize(dialog.sizeHint());
  PlaceDialog(dialog);

  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.front().isEmpty()) return false;

  // Kept as the system's file name: the code-page form is for showing.
  std::filesystem::path path = QFileInfo(chosen.front()).filesystemFilePath();
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (!error) path = absolute;
  SetChosenFile(path);
  const qsizetype filterIndex = filters.indexOf(dialog.selectedNameFilter());
  if (filterIndex >= 0) FilterIndex = static_cast<int>(filterIndex) + 1;
  // The chosen file's folder becomes the current directory, as later uses
  // of the current directory expect. A folder that cannot be entered leaves
  // the current directory as it was.
  std::filesystem::current_path(path.parent_path(), error);
  return true;
}

}  // namespace zembrot
