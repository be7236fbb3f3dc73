// A workbook read back as a user's tools see it: an .xlsx is a zip of XML
// parts, unpacked here with unzip.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace xlsx {

// One part of the zip ("xl/workbook.xml"); empty when there is none.
inline std::string Part(const std::string& file, const std::string& part) {
  const std::string command = "unzip -p '" + file + "' '" + part + "' 2>/dev/null";
  std::string text;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[1 << 16];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      text.append(buffer, n);
    ::pclose(pipe);
  }
  return text;
}

// The sheets' names in the workbook's order.
inline std::vector<std::string> SheetNames(const std::string& file) {
  const std::string workbook = Part(file, "xl/workbook.xml");
  const std::string opening = "<sheet name=\"";
  std::vector<std::string> names;
  for (std::size_t at = workbook.find(opening); at != std::string::npos;
       at = workbook.find(opening, at)) {
    at += opening.size();
    names.push_back(workbook.substr(at, workbook.find('"', at) - at));
  }
  return names;
}

// The text of cell `reference` ("B2") in a sheet's XML: its number or its
// inline string; nothing for an absent cell.
inline std::optional<std::string> Cell(const std::string& sheetXml, const std::string& reference) {
  const std::size_t at = sheetXml.find("<c r=\"" + reference + "\"");
  if (at == std::string::npos) return std::nullopt;
  const std::size_t end = sheetXml.find("</c>", at);
  const std::string cell = sheetXml.substr(at, end - at);
  for (const char* tag : {"<v>", "<t>", "<t xml:space=\"preserve\">"}) {
    const std::size_t open = cell.find(tag);
    if (open == std::string::npos) continue;
    const std::size_t from = open + std::string(tag).size();
    return cell.substr(from, cell.find('<', from) - from);
  }
  return std::nullopt;
}

}  // namespace xlsx
