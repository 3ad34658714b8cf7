#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "base/errors.h"
#include "base/system_message.h"
#include "content/file_bytes.h"
#include "content/string_list.h"
#include "lines_of.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace zembrot {
namespace {

namespace fs = std::filesystem;
using testing_lines::Lines;
using testing_lines::LinesOf;

std::string Utf16(std::u16string_view text, bool littleEndian) {
  std::string bytes;
  for (const char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    bytes += littleEndian ? low : high;
    bytes += littleEndian ? high : low;
  }
  return bytes;
}

// A fresh folder per test; the current directory is restored afterwards.
class PracticeFileTest : public testing::Test {
 protected:
  void SetUp() override {
    const fs::path folder = fs::temp_directory_path() / ("zembrot-content-" + std::to_string(std::random_device{}()));
    ASSERT_TRUE(fs::create_directory(folder)) << "folder exists already: " << folder;
    folder_ = fs::canonical(folder);
    previousDirectory_ = fs::current_path();
  }

  void TearDown() override {
    fs::current_path(previousDirectory_);
    std::error_code ignored;
    fs::permissions(folder_ / "locked.txt", fs::perms::owner_all, ignored);
    fs::remove_all(folder_, ignored);
  }

  std::string Write(const fs::path& name, const std::string& bytes) {
    std::ofstream out(folder_ / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return (folder_ / name).string();
  }

  std::string Folder() const { return folder_.string(); }

  // The message of the EFOpenError that loading `path` raises; the list must
  // keep its lines.
  std::string OpenErrorOf(const std::string& path) {
    TStringList list;
    list.AppendLine("kept");
    list.AppendLine("");
    try {
      list.LoadLines(path);
    } catch (const EFOpenError& error) {
      EXPECT_EQ(LinesOf(list), (Lines{"kept", ""}));
      return error.Message();
    }
    ADD_FAILURE() << "no EFOpenError for " << path;
    return {};
  }

  fs::path folder_;
  fs::path previousDirectory_;
};

struct EncodingCase {
  const char* name;
  std::string bytes;
  Lines lines;
};

class LoadLinesEncoding : public PracticeFileTest, public testing::WithParamInterface<EncodingCase> {};

TEST_P(LoadLinesEncoding, GivesCodePageLines) {
  TStringList list;
  list.LoadLines(Write("list.txt", GetParam().bytes));
  EXPECT_EQ(LinesOf(list), GetParam().lines);
}

const std::string kAppleGbk = "\xC6\xBB\xB9\xFB";  // 苹果
const std::string kTeaGbk = "\xB2\xE8";             // 茶

INSTANTIATE_TEST_SUITE_P(
    Files, LoadLinesEncoding,
    testing::Values(
        EncodingCase{"GbkByteForByte", "apple," + kAppleGbk + "\r\ntea," + kTeaGbk + "\r\n",
                     {"apple," + kAppleGbk, "tea," + kTeaGbk}},
        EncodingCase{"AsciiByteForByte", "bread\nmilk", {"bread", "milk"}},
        EncodingCase{"Utf8WithoutMark", "apple,苹果\r\ntea,茶", {"apple," + kAppleGbk, "tea," + kTeaGbk}},
        EncodingCase{"Utf8WithMark", "\xEF\xBB\xBF" "apple,苹果\r\n", {"apple," + kAppleGbk}},
        EncodingCase{"Utf8MarkBeforeAscii", "\xEF\xBB\xBF" "bread\r\n", {"bread"}},
        EncodingCase{"Utf8MarkOnly", "\xEF\xBB\xBF", {}},
        EncodingCase{"Utf8CharacterMissingFromCodePage", "cake,\xF0\x9F\x8E\x82\r\nth,\xE0\xB8\x81", {"cake,?", "th,?"}},
        EncodingCase{"Utf8WithMarkAndMalformedBytes", "\xEF\xBB\xBF" "a\xFF", {"a?"}},
        EncodingCase{"Utf8ZeroByteEndsConvertedText", "苹果\r\n" + std::string(1, '\0') + "茶", {kAppleGbk}},
        // The decision is taken on the whole file: junk after the zero byte
        // makes it code-page text, so the UTF-8 bytes stay as they are.
        EncodingCase{"JunkAfterZeroByteKeepsBytes", "茶" + std::string(1, '\0') + "\xFF", {"茶"}},
        // GBK whose double-byte characters all happen to read as UTF-8 is
        // taken for UTF-8; 苹 alone (C6 BB) is U+01BB, which GBK lacks.
        EncodingCase{"GbkThatReadsAsUtf8", "\xC6\xBB", {"?"}},
        EncodingCase{"Utf16LittleEndianWithMark", "\xFF\xFE" + Utf16(u"apple,苹果\r\ntea,茶\r\n", true),
                     {"apple," + kAppleGbk, "tea," + kTeaGbk}},
        EncodingCase{"Utf16BigEndianWithMark", "\xFE\xFF" + Utf16(u"apple,苹果\rtea,茶", false),
                     {"apple," + kAppleGbk, "tea," + kTeaGbk}},
        EncodingCase{"Utf16MarkOnly", "\xFF\xFE", {}},
        EncodingCase{"Utf16ZeroCharacterEndsText", "\xFF\xFE" + Utf16(std::u16string(u"a\nb\0c", 5), true),
                     {"a", "b"}},
        EncodingCase{"Utf16CharacterMissingFromCodePage", "\xFE\xFF" + Utf16(u"x\U0001F382y\xD800z", false),
                     {"x?y?z"}},
        EncodingCase{"Utf16CutInTheMiddleOfACharacter", "\xFF\xFE" + Utf16(u"ab", true) + "c", {"ab?"}},
        // Without a mark UTF-16 is not recognised: its zero bytes end the text.
        EncodingCase{"Utf16WithoutMark", Utf16(u"ab", true), {"a"}},
        EncodingCase{"BinaryJunk", std::string("\x01\xFF\xFE\xFD\r\x80\x81", 7) + std::string(1, '\0') + "\xFF",
                     {"\x01\xFF\xFE\xFD", "\x80\x81"}},
        EncodingCase{"Empty", "", {}}),
    [](const testing::TestParamInfo<EncodingCase>& tested) { return std::string(tested.param.name); });

TEST_F(PracticeFileTest, WorkedExampleLoadsAndJoins) {
  const std::string text =
      "apple," + kAppleGbk + "\r\n ice cream , \xB1\xF9\xE4\xBF\xC1\xDC \r\ntea," + kTeaGbk + ",\xC2\xCC" + kTeaGbk;
  TStringList list;
  list.LoadLines(Write("list.txt", text));
  ASSERT_EQ(list.LineCount(), 3);
  EXPECT_EQ(list.LineAt(1), " ice cream , \xB1\xF9\xE4\xBF\xC1\xDC ");
  EXPECT_EQ(list.JoinedText(), text + "\r\n");
}

TEST_F(PracticeFileTest, LoadingReplacesAllLinesAlsoWithAnEmptyFile) {
  TStringList list;
  list.LoadLines(Write("a.txt", "one\r\ntwo\r\nthree\r\n"));
  EXPECT_EQ(list.LineCount(), 3);
  list.LoadLines(Write("b.txt", "four"));
  EXPECT_EQ(LinesOf(list), (Lines{"four"}));
  list.LoadLines(Write("c.txt", ""));
  EXPECT_EQ(list.LineCount(), 0);
}

TEST_F(PracticeFileTest, DefaultFileNameInCodePageFindsTheFileOnDisk) {
  Write(fs::path(u8"食物.txt"), "rice,\xC3\xD7\r\n");
  fs::current_path(folder_);
  TStringList list;
  list.LoadLines("\xCA\xB3\xCE\xEF.txt");
  EXPECT_EQ(LinesOf(list), (Lines{"rice,\xC3\xD7"}));
}

#ifdef _WIN32

TEST_F(PracticeFileTest, OpenErrorsNameTheFullPathAndTheSystemText) {
  Write("list.txt", "a");
  fs::create_directory(folder_ / "sub");
  fs::current_path(folder_);
  const std::string folder = Folder();
  const struct {
    std::string path;
    std::string fullPath;
    DWORD error;
  } cases[] = {
      {folder + "\\missing.txt", folder + "\\missing.txt", ERROR_FILE_NOT_FOUND},
      {"missing.txt", folder + "\\missing.txt", ERROR_FILE_NOT_FOUND},
      {".\\sub\\..\\sub\\.\\missing.txt", folder + "\\sub\\missing.txt", ERROR_FILE_NOT_FOUND},
      {"sub/missing.txt", folder + "\\sub\\missing.txt", ERROR_FILE_NOT_FOUND},
      {"\xCA\xB3\xCE\xEF.txt", folder + "\\\xCA\xB3\xCE\xEF.txt", ERROR_FILE_NOT_FOUND},
      {"no\\such\\x.txt", folder + "\\no\\such\\x.txt", ERROR_PATH_NOT_FOUND},
      {"sub", folder + "\\sub", ERROR_ACCESS_DENIED},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OpenErrorOf(c.path),
              "Cannot open file \"" + c.fullPath + "\". " + SystemErrorText(static_cast<int>(c.error)))
        << testing::PrintToString(c.path);
  }
}

TEST_F(PracticeFileTest, ChineseFileNameOpensWhateverTheSystemCodePage) {
  Write(fs::path(u8"食物.txt"), "rice,\xC3\xD7\r\n");
  TStringList list;
  list.LoadLines(Folder() + "\\\xCA\xB3\xCE\xEF.txt");
  EXPECT_EQ(LinesOf(list), (Lines{"rice,\xC3\xD7"}));
  EXPECT_TRUE(fs::exists(folder_ / L"\u98DF\u7269.txt"));
}

TEST_F(PracticeFileTest, FileHeldOpenForWritingIsNotRead) {
  const std::string path = Write("busy.txt", "egg\r\n");
  const HANDLE writer = CreateFileW((folder_ / "busy.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(OpenErrorOf(path),
            "Cannot open file \"" + path + "\". " + SystemErrorText(static_cast<int>(ERROR_SHARING_VIOLATION)));
  CloseHandle(writer);
  TStringList list;
  list.LoadLines(path);
  EXPECT_EQ(LinesOf(list), (Lines{"egg"}));
}

TEST_F(PracticeFileTest, DevicesAreNoPracticeFiles) {
  // "NUL" and "CON" name devices in every folder; reading the console would
  // wait for the keyboard.
  for (const char* name : {"NUL", "CON", "nul.txt"}) {
    TStringList list;
    list.AppendLine("kept");
    // Without a console (as under Wine) "CON" does not even open.
    if (std::string_view(name) != "CON") {
      EXPECT_TRUE(OpenErrorOf(name).ends_with("\". It is a device, not a file")) << OpenErrorOf(name);
    }
    EXPECT_THROW(list.LoadLines(name), EFOpenError) << name;
    EXPECT_EQ(LinesOf(list), (Lines{"kept"})) << name;
  }
}

#endif

#ifndef _WIN32

TEST_F(PracticeFileTest, OpenErrorsNameTheAbsolutePathAndTheSystemText) {
  Write("list.txt", "a");
  fs::create_directory(folder_ / "sub");
  fs::current_path(folder_);
  const std::string notFound = "No such file or directory";
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {Folder() + "/missing.txt", "Cannot open file \"" + Folder() + "/missing.txt\". " + notFound},
      {"missing.txt", "Cannot open file \"" + Folder() + "/missing.txt\". " + notFound},
      {"./sub/../sub/./missing.txt", "Cannot open file \"" + Folder() + "/sub/missing.txt\". " + notFound},
      {"../" + folder_.filename().string() + "//missing.txt",
       "Cannot open file \"" + Folder() + "/missing.txt\". " + notFound},
      {"\xCA\xB3\xCE\xEF.txt", "Cannot open file \"" + Folder() + "/\xCA\xB3\xCE\xEF.txt\". " + notFound},
      {"", "Cannot open file \"" + Folder() + "\". " + notFound},
      {Folder(), "Cannot open file \"" + Folder() + "\". Is a directory"},
      {"sub", "Cannot open file \"" + Folder() + "/sub\". Is a directory"},
      {"sub/", "Cannot open file \"" + Folder() + "/sub/\". Is a directory"},
      {".", "Cannot open file \"" + Folder() + "\". Is a directory"},
      {"/", "Cannot open file \"/\". Is a directory"},
      {"list.txt/", "Cannot open file \"" + Folder() + "/list.txt/\". Not a directory"},
      {"/no/such/dir/../x.txt", "Cannot open file \"/no/such/x.txt\". " + notFound},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OpenErrorOf(c.path), c.message) << testing::PrintToString(c.path);
  }
}

TEST(AbsolutePathTest, AbsolutePathsStartAgainFromTheRoot) {
  const struct {
    std::string path;
    std::string absolute;
  } cases[] = {
      {"//no/such/x.txt", "/no/such/x.txt"},
      {"///", "/"},
      {"/..", "/"},
      {"/a/b/../..", "/"},
      {"/a/./b/", "/a/b/"},
      {"/a//b/.", "/a/b"},
      {"/a/\xCA\xB3/../\xCE\xEF", "/a/\xCE\xEF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AbsolutePath(c.path), c.absolute) << testing::PrintToString(c.path);
  }
}

TEST_F(PracticeFileTest, MissingFileIsNotCreated) {
  OpenErrorOf(Folder() + "/missing.txt");
  EXPECT_FALSE(fs::exists(folder_ / "missing.txt"));
}

TEST_F(PracticeFileTest, ZeroByteInPathOpensNothing) {
  // "list.txt" exists; a path that goes on after a zero byte must not open it.
  Write("list.txt", "a");
  const std::string path = Folder() + "/list.txt" + std::string(1, '\0') + "x";
  EXPECT_EQ(OpenErrorOf(path), "Cannot open file \"" + path + "\". Invalid argument");
}

TEST_F(PracticeFileTest, FileWithoutReadPermission) {
  const std::string path = Write("locked.txt", "secret");
  ASSERT_EQ(chmod(path.c_str(), 0), 0);
  if (access(path.c_str(), R_OK) == 0) GTEST_SKIP() << "this user reads files without read permission (root)";
  EXPECT_EQ(OpenErrorOf(path), "Cannot open file \"" + path + "\". Permission denied");
}

// A block device to be refused: a loop device of the machine (an idle one
// reads as nothing, so accepting it would load an empty list), else one made
// in `folder` (root only; no driver answers to its number, so even a wrong
// open reads nothing); empty when neither can be had.
std::string SomeBlockDevice(const fs::path& folder) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator("/dev", error)) {
    struct stat status {};
    if (entry.path().filename().string().starts_with("loop") && ::stat(entry.path().c_str(), &status) == 0 &&
        S_ISBLK(status.st_mode)) {
      return entry.path().string();
    }
  }
  // Block major 240 is kept for local use: nothing on the machine has it.
  const fs::path made = folder / "block";
  if (mknod(made.c_str(), S_IFBLK | 0600, makedev(240, 0)) == 0) return made.string();
  return {};
}

TEST_F(PracticeFileTest, OnlyRegularFilesLoadAndTheListKeepsItsLinesOtherwise) {
  const fs::path pipe = folder_ / "pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const fs::path socketPath = folder_ / "socket";
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(socketPath.string().size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, socketPath.c_str());
  ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  fs::create_directory(folder_ / "folder");
  const std::string block = SomeBlockDevice(folder_);
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {block, "Cannot open file \"" + block + "\". It is a device, not a file"},
      {"/dev/zero", "Cannot open file \"/dev/zero\". It is a device, not a file"},
      {"/dev/null", "Cannot open file \"/dev/null\". It is a device, not a file"},
      {pipe.string(), "Cannot open file \"" + pipe.string() + "\". It is a pipe, not a file"},
      {socketPath.string(), "Cannot open file \"" + socketPath.string() + "\". It is a socket, not a file"},
      {Folder() + "/folder", "Cannot open file \"" + Folder() + "/folder\". Is a directory"},
  };
  for (const auto& c : cases) {
    if (c.path.empty()) {
      std::cout << "no block device under /dev and none can be made: that case is left out\n";
      continue;
    }
    // A pipe must be refused at once, not wait for a writer.
    EXPECT_EQ(OpenErrorOf(c.path), c.message);
  }
  close(listener);
}

TEST_F(PracticeFileTest, FileReportingSizeZeroIsReadToItsEnd) {
  // Files under /proc say they are empty and are not.
  struct stat status {};
  ASSERT_EQ(stat("/proc/self/status", &status), 0);
  ASSERT_EQ(status.st_size, 0);
  TStringList list;
  list.LoadLines("/proc/self/status");
  ASSERT_GT(list.LineCount(), 5);
  EXPECT_EQ(list.LineAt(0).substr(0, 6), "Name:\t");
}

TEST_F(PracticeFileTest, ContentTooLargeForMemoryIsRefusedInTheProgramsWords) {
  // Sparse files: nothing of their size is ever allocated.
  const std::string path = Write("huge.txt", "");
  ASSERT_EQ(truncate(path.c_str(), std::int64_t{64} << 30), 0);
  const std::string message = "Not enough memory to load file \"" + path + "\" (68719476736 bytes)";
  try {
    ReadWholeFile(path, std::uint64_t{1} << 20);
    ADD_FAILURE() << "64 GiB read under a 1 MiB ceiling";
  } catch (const EOutOfMemory& error) {
    EXPECT_EQ(error.Message(), message);
  }
  // A file of unknown length that turns out larger than the ceiling.
  try {
    ReadWholeFile("/proc/self/status", 10);
    ADD_FAILURE() << "/proc/self/status read under a 10-byte ceiling";
  } catch (const EOutOfMemory& error) {
    // It reports size 0; what it names is what was read before memory ran out.
    EXPECT_EQ(error.Message().rfind("Not enough memory to load file \"/proc/self/status\" (at least ", 0), 0u)
        << error.Message();
    EXPECT_TRUE(error.Message().ends_with(" bytes)")) << error.Message();
  }
  // Loading a file larger than all the machine's memory keeps the list.
  const std::uint64_t tooLarge = MachineMemory() + 1;
  ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(tooLarge)), 0);
  TStringList list;
  list.AppendLine("kept");
  try {
    list.LoadLines(path);
    ADD_FAILURE() << "a file larger than the machine's memory loaded";
  } catch (const EOutOfMemory& error) {
    EXPECT_EQ(error.Message(),
              "Not enough memory to load file \"" + path + "\" (" + std::to_string(tooLarge) + " bytes)");
  }
  EXPECT_EQ(LinesOf(list), (Lines{"kept"}));
}

// The ceiling is the most content that may load: that many bytes load,
// one byte more is refused.
TEST_F(PracticeFileTest, CeilingIsTheLargestContentThatLoads) {
  const std::string path = Write("list.txt", "apple\r\npear");
  EXPECT_EQ(std::string(ReadWholeFile(path, 11).View()), "apple\r\npear");
  try {
    ReadWholeFile(path, 10);
    ADD_FAILURE() << "11 bytes read under a 10-byte ceiling";
  } catch (const EOutOfMemory& error) {
    EXPECT_EQ(error.Message(), "Not enough memory to load file \"" + path + "\" (11 bytes)");
  }
}

// Calls that fail, are interrupted or deliver little, in the order scripted;
// once the script is used up the system's own calls take over.
struct CallScript {
  std::vector<int> openErrors;  // errno of each open before the real one
  std::vector<int> reads;       // each read: -errno, or at most that many bytes
};
CallScript script;

int Take(std::vector<int>& steps) {
  const int step = steps.front();
  steps.erase(steps.begin());
  return step;
}

const FileCalls kScriptedCalls = {
    [](const char* name, int flags) {
      if (script.openErrors.empty()) return ::open(name, flags);
      errno = Take(script.openErrors);
      return -1;
    },
    [](int descriptor, void* into, std::size_t count) -> ssize_t {
      if (script.reads.empty()) return ::read(descriptor, into, count);
      const int step = Take(script.reads);
      if (step >= 0) return ::read(descriptor, into, std::min(count, static_cast<std::size_t>(step)));
      errno = -step;
      return -1;
    }};

// Plays `played` through every file read until it goes out of scope.
class ScriptedCalls {
 public:
  explicit ScriptedCalls(const CallScript& played) {
    script = played;
    InstallFileCalls(&kScriptedCalls);
  }
  ~ScriptedCalls() {
    InstallFileCalls(nullptr);
    script = {};
  }
  ScriptedCalls(const ScriptedCalls&) = delete;
  ScriptedCalls& operator=(const ScriptedCalls&) = delete;
};

TEST_F(PracticeFileTest, InterruptedAndShortCallsStillLoadTheWholeFile) {
  const std::string text = "apple," + kAppleGbk + "\r\ntea," + kTeaGbk + "\r\nbread\r\n";  // 27 bytes
  const std::string path = Write("list.txt", text);
  const struct {
    const char* name;
    CallScript script;
    std::string error;  // empty: the file loads whole
  } cases[] = {
      {"open interrupted once", {{EINTR}, {}}, ""},
      {"open interrupted three times", {{EINTR, EINTR, EINTR}, {}}, ""},
      {"read interrupted", {{}, {-EINTR}}, ""},
      {"short reads interrupted between", {{}, {3, -EINTR, 1, -EINTR, -EINTR, 5}}, ""},
      {"one byte at a time", {{}, std::vector<int>(27, 1)}, ""},
      {"interrupted at the end", {{}, {27, -EINTR}}, ""},
      {"open interrupted, then refused", {{EINTR, EACCES}, {}}, "Permission denied"},
      {"read fails", {{}, {-EIO}}, "Input/output error"},
      {"read fails after a short read", {{EINTR}, {4, -EINTR, -EIO}}, "Input/output error"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ScriptedCalls played(c.script);
    if (c.error.empty()) {
      TStringList list;
      list.AppendLine("kept");
      EXPECT_NO_THROW(list.LoadLines(path));
      EXPECT_EQ(list.JoinedText(), text);
    } else {
      EXPECT_EQ(OpenErrorOf(path), "Cannot open file \"" + path + "\". " + c.error);
    }
    EXPECT_TRUE(script.openErrors.empty() && script.reads.empty()) << "script not played to its end";
  }
}

TEST_F(PracticeFileTest, SymbolicLinkIsFollowed) {
  Write("target.txt", "egg\r\n");
  fs::create_symlink(folder_ / "target.txt", folder_ / "link.txt");
  TStringList list;
  list.LoadLines((folder_ / "link.txt").string());
  EXPECT_EQ(LinesOf(list), (Lines{"egg"}));
}

#endif

TEST_F(PracticeFileTest, LargeFileLoadsWhole) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "word" + std::to_string(i) + "," + kAppleGbk + "\r\n";
  TStringList list;
  list.LoadLines(Write("large.txt", text));
  ASSERT_EQ(list.LineCount(), 200000);
  EXPECT_EQ(list.LineAt(199999), "word199999," + kAppleGbk);
  // Not EXPECT_EQ: a diff of two 4 MB texts would take gigabytes to build.
  EXPECT_TRUE(list.JoinedText() == text) << "the loaded text differs from the file";
}

}  // namespace
}  // namespace zembrot
