#include "content/string_list.h"

#include <climits>
#include <cstddef>

#include "base/errors.h"
#include "content/file_bytes.h"
#include "content/line_splitter.h"
#include "content/text_encoding.h"

namespace zembrot {

void TStringList::LoadLines(const std::string& path) {
  // Everything that can fail (the open, the read, the conversion, memory)
  // happens before the swap, so a failure leaves the old lines in place.
  const FileBytes file = ReadWholeFile(path);
  const std::string_view bytes = file.View();
  const DetectedEncoding encoding = DetectEncoding(bytes);
  std::vector<std::string> lines;
  if (encoding.encoding == TextEncoding::CodePage) {
    lines = SplitLines(bytes);
  } else {
    // The NUL rule applies to the converted text: a UTF-16 file is full of
    // zero bytes that are halves of ordinary characters.
    lines = SplitLines(ConvertToCodePage(bytes, encoding));
  }
  lines_.swap(lines);
}

void TStringList::SplitIntoLines(const std::string& text) {
  std::vector<std::string> lines = SplitLines(text);
  lines_.swap(lines);
}

int TStringList::LineCount() const { return static_cast<int>(lines_.size()); }

std::string TStringList::LineAt(int index) const {
  CheckIndex(index);
  return lines_[static_cast<std::size_t>(index)];
}

void TStringList::SetLine(int index, const std::string& line) {
  CheckIndex(index);
  lines_[static_cast<std::size_t>(index)] = line;
}

void TStringList::DeleteLine(int index) {
  CheckIndex(index);
  lines_.erase(lines_.begin() + index);
}

void TStringList::AppendLine(const std::string& line) {
  if (lines_.size() >= static_cast<std::size_t>(INT_MAX)) throw EStringListError(INT_MAX);
  lines_.push_back(line);
}

std::string TStringList::JoinedText() const {
  std::size_t length = 0;
  for (const std::string& line : lines_) length += line.size() + 2;
  std::string text;
  text.reserve(length);
  for (const std::string& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= LineCount()) throw EStringListError(index);
}

}  // namespace zembrot
