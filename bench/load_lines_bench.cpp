// Loading a 64 MiB practice file: LoadLines against the floor (read the file
// and find its line ends with memchr) and against the usual std::getline
// loop. Every run reads the file again; after the first the page cache holds
// it, so the figures measure the loaders, not the disk.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "content/string_list.h"


namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileSize = 64u << 20;

// Practice lines as people write them: an English word or two, a comma and
// one to four GBK characters, ended by CR LF.
std::string PracticeText() {
  std::mt19937 engine(2024);
  const auto below = [&](int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(engine); };
  std::string text;
  text.reserve(kFileSize + 64);
  while (text.size() < kFileSize) {
    const int words = below(5) == 0 ? 2 : 1;
    for (int w = 0; w < words; ++w) {
      if (w > 0) text += ' ';
      const int letters = 3 + below(8);
      for (int i = 0; i < letters; ++i) text += static_cast<char>('a' + below(26));
    }
    text += ',';
    const int characters = 1 + below(4);
    for (int i = 0; i < characters; ++i) {
      text += static_cast<char>(0xB0 + below(0xF7 - 0xB0 + 1));
      text += static_cast<char>(0xA1 + below(0xFE - 0xA1 + 1));
    }
    text += "\r\n";
  }
  return text;
}

// The generated file, written once per run and removed at the end.
class PracticeFile {
 public:
  PracticeFile() {
    folder_ = fs::temp_directory_path() / ("zembrot-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
    path_ = (folder_ / "practice.txt").string();
    const std::string text = PracticeText();
    std::ofstream out(path_, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    size_ = text.size();
  }
  ~PracticeFile() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  PracticeFile(const PracticeFile&) = delete;
  PracticeFile& operator=(const PracticeFile&) = delete;

  const std::string& Path() const { return path_; }
  std::size_t Size() const { return size_; }

 private:
  fs::path folder_;
  std::string path_;
  std::size_t size_ = 0;
};

const PracticeFile& File() {
  static const PracticeFile file;
  return file;
}

void BM_LoadLines(benchmark::State& state) {
  const PracticeFile& file = File();
  for (auto _ : state) {
    zembrot::TStringList list;
    list.LoadLines(file.Path());
    benchmark::DoNotOptimize(list.LineCount());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size()));
}

// The least any loader has to do: read the bytes and find every line end.
void BM_MemchrFloor(benchmark::State& state) {
  const PracticeFile& file = File();
  for (auto _ : state) {
    // One request for the whole file, as LoadLines makes it.
    std::FILE* stream = std::fopen(file.Path().c_str(), "rb");
    if (stream == nullptr) {
      state.SkipWithError("cannot open the practice file");
      break;
    }
    const std::size_t size = file.Size();
    auto data = std::make_unique_for_overwrite<char[]>(size);
    const std::size_t got = std::fread(data.get(), 1, size, stream);
    std::fclose(stream);
    std::size_t lines = 0;
    const char* position = data.get();
    const char* const end = position + got;
    while (const void* found = std::memchr(position, '\n', static_cast<std::size_t>(end - position))) {
      ++lines;
      position = static_cast<const char*>(found) + 1;
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size()));
}

// What a typical program does: read line by line into a vector of strings.
void BM_GetlineLoop(benchmark::State& state) {
  const PracticeFile& file = File();
  for (auto _ : state) {
    std::ifstream in(file.Path(), std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    benchmark::DoNotOptimize(lines.size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size()));
}

BENCHMARK(BM_LoadLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MemchrFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GetlineLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
