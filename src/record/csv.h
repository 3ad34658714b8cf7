#pragma once

// CSV as RFC 4180 writes it: fields separated by commas, records ended by
// CR LF, and a field that holds a comma, a quote, CR or LF enclosed in
// quotes with each quote doubled.

#include <string>
#include <string_view>
#include <vector>

namespace zembrot::record {

std::string CsvField(std::string_view text);

// Appends one record and its CR LF to `out`.
void AppendCsvRecord(std::string& out, const std::vector<std::string>& fields);

}  // namespace zembrot::record
