#include "app/command_line.h"

#include <cstddef>

namespace zembrot {

namespace {

constexpr const char* kExportOption = "--export-reviews";
constexpr const char* kStatisticsOption = "--stats";

}  // namespace

StartRequest RequestOf(const std::vector<std::string>& arguments) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--") break;
    if (argument == "-h" || argument == "--help") return StartRequest::kShowUsage;
    if (argument == "--version") return StartRequest::kShowVersion;
    if (argument == kStatisticsOption) return StartRequest::kShowStatistics;
    if (argument == kExportOption) {
      return i + 1 < arguments.size() ? StartRequest::kExportReviews : StartRequest::kMissingExportFile;
    }
  }
  return StartRequest::kPlay;
}

std::string ExportFileOf(const std::vector<std::string>& arguments) {
  for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
    if (arguments[i] == "--") break;
    if (arguments[i] == kExportOption) return arguments[i + 1];
  }
  return std::string();
}

std::string UsageText() {
  return "Usage: zembrot [OPTION]\n"
         "Typing game for learning English vocabulary with Chinese meanings.\n"
         "Words of the practice list 食物.txt in the current folder fall down the\n"
         "window; type the English word and press Enter.\n"
         "\n"
         "      --progress  keep a learning record: every word's history, and\n"
         "                  today's review in the menu; later starts keep it too,\n"
         "                  until it is stopped in the menu\n"
         "      --export-reviews FILE.csv\n"
         "                  write the learning record's review log as CSV and exit\n"
         "      --stats     print the learning record's summary (words known, days\n"
         "                  practised in a row, reviews today) and exit; exit\n"
         "                  status 1 when there is no record\n"
         "  -h, --help      show this help and exit\n"
         "      --version   show the version and exit\n"
         "\n"
         "Qt's own options (such as -platform or -style) are accepted too.\n";
}

std::string VersionText() {
  return "Zembrot " ZEMBROT_VERSION "\n"
         "Copyright (C) 2026 Zembrot developers\n"
         "License GPL-3.0-or-later <https://gnu.org/licenses/gpl.html>.\n"
         "This is free software: you are free to change and redistribute it.\n"
         "There is NO WARRANTY, to the extent permitted by law.\n";
}

std::string MissingExportFileText() {
  return "zembrot: --export-reviews needs a file name\nTry 'zembrot --help' for more information.\n";
}

std::string UnknownArgumentText(const std::string& argument) {
  return "zembrot: unknown argument '" + argument + "'\nTry 'zembrot --help' for more information.\n";
}

}  // namespace zembrot
