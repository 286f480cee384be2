#include "production/record_table.h"

#include <cstdio>

namespace zelta::production {
namespace {

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

template <typename Fields>
std::string joined(const Fields& fields, std::string_view separator, bool csv) {
  std::string line;
  bool first = true;
  for (const auto& f : fields) {
    if (!first) line += separator;
    line += csv ? csvField(std::string(f)) : std::string(f);
    first = false;
  }
  return line;
}

}  // namespace

std::string modelHex(int model) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(model) & 0xFFU);
  return text;
}

RecordFields recordFields(const PagerRecord& r) {
  std::string codes;
  if (r.codes) {
    for (const SlotCode& c : r.codes->codes) codes += (codes.empty() ? "" : " ") + c.capcode;
  }
  return {r.time,
          r.fixture,
          r.serialNumber,
          modelHex(r.model),
          r.firmware,
          r.codes ? std::to_string(r.codes->index) : "",
          codes,
          r.codes ? r.codes->icn : "",
          r.written ? "written" : "not written",
          std::to_string(r.code),
          r.text,
          std::to_string(r.durationMs),
          r.imageFile};
}

std::string recordsCsv(const std::vector<PagerRecord>& records) {
  std::string csv = joined(kRecordColumns, ",", false) + '\n';
  for (const PagerRecord& r : records) csv += joined(recordFields(r), ",", true) + '\n';
  return csv;
}

std::string recordLine(const PagerRecord& record) {
  return joined(recordFields(record), " | ", false);
}

}  // namespace zelta::production
