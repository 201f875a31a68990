#include "tools/navdata_csv.h"

namespace {

bool quote_open(const std::string& record) {
  bool open = false;
  for (char c : record)
    if (c == '"') open = !open;
  return open;
}

}  // namespace

void navdata_csv_split(const std::string& record, std::vector<std::string>* fields) {
  fields->assign(1, std::string());
  bool quoted = false;
  for (size_t i = 0; i < record.size(); ++i) {
    const char c = record[i];
    if (quoted) {
      if (c != '"') {
        fields->back() += c;
      } else if (i + 1 < record.size() && record[i + 1] == '"') {
        fields->back() += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields->emplace_back();
    } else {
      fields->back() += c;
    }
  }
}

bool navdata_csv_next(NavdataLines* lines, std::vector<std::string>* fields) {
  std::string record, more;
  if (!navdata_next_line(lines, &record)) return false;
  // A quoted field goes on over line breaks, within the line limit.
  while (quote_open(record) && record.size() < NAVDATA_LINE_LIMIT && navdata_next_line(lines, &more))
    record += "\n" + more;
  navdata_csv_split(record, fields);
  return true;
}

int CsvColumns::of(const char* name) const {
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int>(i);
  return -1;
}

const std::string& navdata_csv_field(const std::vector<std::string>& fields, int column) {
  static const std::string empty;
  return column >= 0 && static_cast<size_t>(column) < fields.size() ? fields[static_cast<size_t>(column)] : empty;
}
