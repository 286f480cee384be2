#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "production/pager_record.h"

namespace zelta::production {

// The columns of a pager's record, as the report, its CSV and the
// production window's table show them.
inline constexpr std::array<std::string_view, 13> kRecordColumns{
    "time", "fixture", "serialNumber", "model",      "firmware",   "set",      "codes",
    "icn",  "written", "result",       "resultText", "durationMs", "imageFile"};

using RecordFields = std::array<std::string, kRecordColumns.size()>;

// One record's fields in column order: the model as "0x91", the codes as
// capcodes separated by blanks, "written" or "not written".
RecordFields recordFields(const PagerRecord& record);

// "0x91": a model code as the reports show it.
std::string modelHex(int model);

// The header line and one line per record, comma-separated, fields holding a
// comma, a quote or a line break quoted.
std::string recordsCsv(const std::vector<PagerRecord>& records);

// One record as a line of the plain report: its fields joined by " | ".
std::string recordLine(const PagerRecord& record);

}  // namespace zelta::production
