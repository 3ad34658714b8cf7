#pragma once

// Helpers of the record's tests: files as bytes, SQL through a connection of
// the test's own, and scenarios run in child processes.

#include <functional>
#include <string>
#include <vector>

#include <QString>

namespace zembrot::record::testing {

std::string ReadBytes(const QString& path);
void WriteBytes(const QString& path, const std::string& bytes);

// Runs the statements on the file at `path` (created if missing); the rows
// of the last one, each row's columns joined by "|".
std::vector<std::string> Sql(const QString& path, const std::vector<std::string>& statements);

// A scenario returns an empty text when all went as expected, or what went
// wrong. A child process runs it and hands its text back when finished.
struct ChildProcess {
  int pid = -1;
  int output = -1;  // read end of the pipe the child writes its text to
};
ChildProcess StartChildProcess(const std::function<std::string()>& scenario);
std::string FinishChildProcess(const ChildProcess& child);

// Runs `scenario` as an ordinary user: in a child process that has given up
// root when the tests run as root (root ignores file permissions).
std::string AsOrdinaryUser(const std::function<std::string()>& scenario);

}  // namespace zembrot::record::testing
