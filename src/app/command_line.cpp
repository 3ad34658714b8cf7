#include "app/command_line.h"

namespace zembrot {

StartRequest RequestOf(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--") break;
    if (argument == "-h" || argument == "--help") return StartRequest::kShowUsage;
    if (argument == "--version") return StartRequest::kShowVersion;
  }
  return StartRequest::kPlay;
}

std::string UsageText() {
  return "Usage: zembrot [OPTION]\n"
         "Typing game for learning English vocabulary with Chinese meanings.\n"
         "Words of the practice list 食物.txt in the current folder fall down the\n"
         "window; type the English word and press Enter.\n"
         "\n"
         "  -h, --help     show this help and exit\n"
         "      --version  show the version and exit\n"
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

std::string UnknownArgumentText(const std::string& argument) {
  return "zembrot: unknown argument '" + argument + "'\nTry 'zembrot --help' for more information.\n";
}

}  // namespace zembrot
