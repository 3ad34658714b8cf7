#include "content/string_list.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

#include "base/errors.h"
#include "content/file_bytes.h"
#include "content/text_encoding.h"

namespace zembrot {

namespace {

ByteBuffer BufferOf(std::string_view text) {
  ByteBuffer buffer(text.size());
  buffer.AppendWithinCapacity(text);
  return buffer;
}

// Everything that can fail (the open, the read, the conversion, memory)
// happens before the lines are replaced, so a failure keeps the old ones:
// the file has been read whole when this is called.
void ReplaceWithFile(LineStore& lines, ByteBuffer content, const std::string& path) {
  const std::uint64_t size = content.Size();
  try {
    const DetectedEncoding encoding = DetectEncoding(content.View());
    if (encoding.encoding != TextEncoding::CodePage) {
      // The NUL rule applies to the converted text: a UTF-16 file is full of
      // zero bytes that are halves of ordinary characters.
      content = BufferOf(ConvertToCodePage(content.View(), encoding));
    }
    lines.Replace(std::move(content));
  } catch (const std::bad_alloc&) {
    // The file fitted, its converted text or its line index did not.
    throw EOutOfMemory(AbsolutePath(path), size);
  }
}

}  // namespace

bool HoldsWord(std::string_view line) {
  for (const char byte : line) {
    if (static_cast<unsigned char>(byte) > ' ') return true;
  }
  return false;
}

void TStringList::LoadLines(const std::string& path) {
  ReplaceWithFile(lines_, ReadWholeFile(path), path);
  wordLines_ = kUnknown;
}

void TStringList::LoadLines(const std::filesystem::path& file, const std::string& shownPath) {
  ReplaceWithFile(lines_, ReadWholeFile(file, shownPath, MachineMemory()), shownPath);
  wordLines_ = kUnknown;
}

void TStringList::SplitIntoLines(const std::string& text) {
  lines_.Replace(BufferOf(text));
  wordLines_ = kUnknown;
}

int TStringList::LineCount() const { return static_cast<int>(lines_.Count()); }

std::string TStringList::LineAt(int index) const {
  CheckIndex(index);
  return std::string(lines_.At(static_cast<std::size_t>(index)));
}

void TStringList::SetLine(int index, const std::string& line) {
  CheckIndex(index);
  const bool held = HoldsWord(lines_.At(static_cast<std::size_t>(index)));
  lines_.Set(static_cast<std::size_t>(index), line);
  CountLineChange(held, HoldsWord(line));
}

void TStringList::DeleteLine(int index) {
  CheckIndex(index);
  const bool held = HoldsWord(lines_.At(static_cast<std::size_t>(index)));
  lines_.Erase(static_cast<std::size_t>(index));
  CountLineChange(held, false);
}

void TStringList::AppendLine(const std::string& line) {
  // The count is a signed 32-bit number.
  if (lines_.Count() >= static_cast<std::size_t>(INT_MAX)) throw EStringListError(INT_MAX);
  lines_.Append(line);
  CountLineChange(false, HoldsWord(line));
}

std::string TStringList::JoinedText() const {
  std::string text;
  text.reserve(lines_.TotalLength() + 2 * lines_.Count());
  for (std::size_t i = 0; i < lines_.Count(); ++i) {
    text += lines_.At(i);
    text += "\r\n";
  }
  return text;
}

int TStringList::WordLineCount() const {
  if (wordLines_ == kUnknown) {
    ++wordLineScans_;
    int count = 0;
    for (std::size_t i = 0; i < lines_.Count(); ++i) count += HoldsWord(lines_.At(i)) ? 1 : 0;
    wordLines_ = count;
  }
  return wordLines_;
}

void TStringList::CountLineChange(bool removedHeldWord, bool addedHoldsWord) {
  if (wordLines_ == kUnknown) return;
  wordLines_ += (addedHoldsWord ? 1 : 0) - (removedHeldWord ? 1 : 0);
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= LineCount()) throw EStringListError(index);
}

}  // namespace zembrot
