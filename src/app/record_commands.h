#pragma once

// The commands that read the learning record in a terminal, without a
// window: they need a QCoreApplication (for Qt's SQL driver) and no display.

#include <string>

namespace zembrot {

// Writes the review log as CSV to `file`; the exit code (0, or 1 with the
// reason on stderr).
int ExportReviews(const std::string& file);

}  // namespace zembrot
