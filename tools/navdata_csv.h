#pragma once
// CSV records (RFC 4180: quoted fields with "" for a quote, line breaks
// allowed inside quotes) read from the import's line reader, and the columns
// of a header record found by name.
#include <string>
#include <vector>

#include "tools/navdata_lines.h"

// The next record's fields; false at end of file.
bool navdata_csv_next(NavdataLines* lines, std::vector<std::string>* fields);
void navdata_csv_split(const std::string& record, std::vector<std::string>* fields);

struct CsvColumns {
  std::vector<std::string> names;
  int of(const char* name) const;  // -1 when absent
};
// The field at `column`, "" when the record is shorter or the column absent.
const std::string& navdata_csv_field(const std::vector<std::string>& fields, int column);
