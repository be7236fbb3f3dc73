// The program's CSV read back as a strict reader takes it: every line ends
// CR LF, fields are separated by commas and quoted as RFC 4180 says, the
// header is ASCII and every row has as many fields as the header. A file
// that breaks a rule is not read; the error names the line.
#pragma once

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct StrictCsv {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
  std::string error;  // empty when the text follows every rule
};

namespace strict_csv {

// One record from `text` at `at`, which moves past its CR LF.
inline std::optional<std::vector<std::string>> Record(std::string_view text, std::size_t& at) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  while (at < text.size()) {
    const char c = text[at++];
    if (quoted) {
      if (c != '"') {
        fields.back() += c;
      } else if (at < text.size() && text[at] == '"') {
        fields.back() += '"';
        ++at;
      } else {
        quoted = false;
      }
    } else if (c == '"' && fields.back().empty()) {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else if (c == '\r') {
      if (at >= text.size() || text[at] != '\n') return std::nullopt;  // a bare CR
      ++at;
      return fields;
    } else if (c == '\n' || c == '"') {
      return std::nullopt;  // a bare LF or a quote inside a field
    } else {
      fields.back() += c;
    }
  }
  return std::nullopt;  // the last line lacks its CR LF
}

}  // namespace strict_csv

inline StrictCsv ReadStrictCsv(std::string_view text) {
  StrictCsv csv;
  std::size_t at = 0;
  for (std::size_t line = 1; at < text.size(); ++line) {
    auto record = strict_csv::Record(text, at);
    const std::string where = "line " + std::to_string(line) + ": ";
    if (!record) return {{}, {}, where + "not a CSV record ending CR LF"};
    if (line == 1) {
      for (const std::string& name : *record) {
        for (const char c : name) {
          if (static_cast<unsigned char>(c) > 127) return {{}, {}, where + "header not ASCII"};
        }
      }
      csv.header = std::move(*record);
    } else if (record->size() != csv.header.size()) {
      return {{}, {}, where + std::to_string(record->size()) + " fields"};
    } else {
      csv.rows.push_back(std::move(*record));
    }
  }
  if (csv.header.empty()) csv.error = "no header";
  return csv;
}

// A field as a number, read as strtod reads it in the "C" locale: the whole
// field, finite; nothing otherwise.
inline std::optional<double> CsvNumber(std::string_view field) {
  double value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}
