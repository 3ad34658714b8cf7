#include "app/command_line.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace zembrot {
namespace {

struct RequestCase {
  std::vector<std::string> arguments;
  StartRequest expected;
};

TEST(CommandLineTest, FirstUsageOrVersionRequestDecides) {
  const std::vector<RequestCase> cases = {
      {{}, StartRequest::kPlay},
      {{"--help"}, StartRequest::kShowUsage},
      {{"-h"}, StartRequest::kShowUsage},
      {{"--version"}, StartRequest::kShowVersion},
      {{"--version", "--help"}, StartRequest::kShowVersion},
      {{"-h", "--version"}, StartRequest::kShowUsage},
      // Qt's options are Qt's: the program starts and Qt reads them.
      {{"-platform", "offscreen"}, StartRequest::kPlay},
      {{"-style", "fusion", "--version"}, StartRequest::kShowVersion},
      // Near misses are not requests; the program rejects them later.
      {{"--Help"}, StartRequest::kPlay},
      {{"-help"}, StartRequest::kPlay},
      {{"--help=all"}, StartRequest::kPlay},
      {{"-v"}, StartRequest::kPlay},
      // After "--" nothing is an option.
      {{"--", "--help"}, StartRequest::kPlay},
      {{"--version", "--"}, StartRequest::kShowVersion},
  };
  for (const RequestCase& c : cases) {
    std::string joined;
    for (const std::string& argument : c.arguments) joined += "[" + argument + "]";
    EXPECT_EQ(RequestOf(c.arguments), c.expected) << joined;
  }
}

TEST(CommandLineTest, StatisticsAreARequestOfTheirOwn) {
  const std::vector<RequestCase> cases = {
      {{"--stats"}, StartRequest::kShowStatistics},
      {{"--stats", "--help"}, StartRequest::kShowStatistics},
      {{"--help", "--stats"}, StartRequest::kShowUsage},
      {{"--progress", "--stats"}, StartRequest::kShowStatistics},
      {{"--", "--stats"}, StartRequest::kPlay},
      {{"--stat"}, StartRequest::kPlay},
  };
  for (const RequestCase& c : cases) EXPECT_EQ(RequestOf(c.arguments), c.expected) << c.arguments.front();
}

TEST(CommandLineTest, UnknownArgumentNamesItAndPointsToHelp) {
  EXPECT_EQ(UnknownArgumentText("--frobnicate"),
            "zembrot: unknown argument '--frobnicate'\nTry 'zembrot --help' for more information.\n");
}

}  // namespace
}  // namespace zembrot
