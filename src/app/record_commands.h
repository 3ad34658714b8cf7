#pragma once

// The commands that read the learning record in a terminal, without a
// window: they need a QCoreApplication (for Qt's SQL driver) and no display.

#include <string>

namespace zembrot {

// Writes the review log as CSV to `file`; the exit code (0, or 1 with the
// reason on stderr).
int ExportReviews(const std::string& file);

// Prints the summary line of the statistics window (UTF-8) to stdout; the
// exit code (0, or 1 with the reason on stderr: no record, or one that
// cannot be read).
int PrintStatistics();

}  // namespace zembrot
