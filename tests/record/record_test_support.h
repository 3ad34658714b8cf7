#pragma once

// Helpers of the record's tests: files as bytes, SQL on a file through a
// connection of the test's own, and running a scenario as an ordinary user.

#include <functional>
#include <string>
#include <vector>

#include <QString>

namespace zembrot::record::testing {

std::string ReadBytes(const QString& path);
void WriteBytes(const QString& path, const std::string& bytes);

// Runs the statements on the file at `path` (created if missing) through a
// connection that is not the store's; the values of the last statement's
// rows, each row's columns joined by "|".
std::vector<std::string> Sql(const QString& path, const std::vector<std::string>& statements);

// Runs `scenario` in a child process that has given up root, when the tests
// run as root (root ignores file permissions); in this process otherwise.
// The scenario returns an empty text when all went as expected, or what
// went wrong.
std::string AsOrdinaryUser(const std::function<std::string()>& scenario);

// Runs `scenario` in a child process; its text, as above.
std::string InChildProcess(const std::function<std::string()>& scenario);

// The same in two steps, so that several children can run at once.
struct ChildProcess {
  int pid = -1;
  int output = -1;  // read end of the pipe the child writes its text to
};
ChildProcess StartChildProcess(const std::function<std::string()>& scenario);
std::string FinishChildProcess(const ChildProcess& child);

}  // namespace zembrot::record::testing
