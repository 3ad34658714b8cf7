// Any bytes as a practice file: loading never fails on content, every line
// obeys the line rules, the joined text has the expected length, and what
// is shown of a line is bounded however long the line is.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/shown_text.h"
#include "content/string_list.h"

namespace {

void Require(bool condition, const char* rule) {
  if (condition) return;
  std::fprintf(stderr, "broken rule: %s\n", rule);
  std::abort();
}

const std::string& PracticeFilePath() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("zembrot-fuzz-" + std::to_string(::getpid()) + ".txt")).string();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream file(PracticeFilePath(), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  zembrot::TStringList list;
  list.AppendLine("kept");
  list.LoadLines(PracticeFilePath());

  std::size_t lineBytes = 0;
  for (int i = 0; i < list.LineCount(); ++i) {
    const std::string line = list.LineAt(i);
    Require(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos, "no CR, LF or NUL in a line");
    lineBytes += line.size();
    const std::u16string shown = zembrot::ShownText(line, 64);
    Require(shown.size() <= 65, "a shown line is cut at its length and an ellipsis");
    // The linear search agrees with the plain one.
    const std::string pattern = line.substr(line.size() / 2, 3);
    Require(zembrot::FindBytes(bytes, pattern) == bytes.find(pattern), "FindBytes agrees with find");
  }
  Require(list.JoinedText().size() == lineBytes + 2 * static_cast<std::size_t>(list.LineCount()),
          "joined text: every line and a CR LF each");
  return 0;
}
