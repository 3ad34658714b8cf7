#pragma once

// The record's schema and the ladder of migrations that builds it: step N
// takes a file of version N to version N + 1, so any older file is brought
// up to date one step at a time. Version 0 is an empty file.

#include <string>
#include <vector>

namespace zembrot::record::schema {

struct Table {
  std::string name;
  std::vector<std::string> columns;
};

// The statements of the step from `version` to `version` + 1.
const std::vector<std::string>& MigrationStep(int version);

// The tables, each with the columns it must have, of a file at `version`
// (1 and up). A record has these tables and no others.
std::vector<Table> ExpectedTables(int version);

}  // namespace zembrot::record::schema
