#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "errors/result_code.h"
#include "production/code_set.h"

namespace zelta::production {

// What became of one pager on a fixture: the line of the run's record.
struct PagerRecord {
  std::string time;     // when programming started, UTC, ISO 8601
  std::string fixture;  // the fixture's port
  std::string serialNumber;
  int model = 0;
  std::string firmware;
  std::optional<CodeSet> codes;  // the set it was given; none when refused
  bool written = false;          // the image reached the pager
  errors::ResultCode code = errors::code::Ok;
  std::string text;  // the code's message, empty for success
  std::int64_t durationMs = 0;
  std::string imageFile;  // the image as programmed, in the run's folder
};

}  // namespace zelta::production
