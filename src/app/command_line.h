#pragma once

// The command line of `zembrot`: the usage and version requests every
// command answers, checked before any window system is touched, so they work
// in a plain terminal too.

#include <string>
#include <vector>

namespace zembrot {

enum class StartRequest { kPlay, kShowUsage, kShowVersion, kExportReviews, kMissingExportFile, kShowStatistics };

// The arguments after the program name; the first of -h, --help, --version,
// --export-reviews and --stats decides. Nothing after "--" is an option.
StartRequest RequestOf(const std::vector<std::string>& arguments);

// The file named after --export-reviews.
std::string ExportFileOf(const std::vector<std::string>& arguments);

// The option that makes this and later starts keep a learning record.
inline constexpr const char* kProgressOption = "--progress";

std::string UsageText();
std::string VersionText();

// For an argument left over once Qt has taken its own options.
std::string UnknownArgumentText(const std::string& argument);
std::string MissingExportFileText();

// Exit code for a command line the program does not understand.
inline constexpr int kUsageExitCode = 2;

}  // namespace zembrot
