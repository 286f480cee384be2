#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "models/models.h"
#include "pages/field_catalog.h"

namespace zelta::pages {

// What the built lists depend on.
struct ListContext {
  models::ModelCode model = models::kNoModel;
  bool converterTarget = false;      // the converter targets a newer layout
  std::uint8_t headerType = 0;       // character-generator type of the codeplug header
  bool limitedBaudFirmware = false;  // the pager reported firmware "R0301" or "R0400"
  bool promptsAsText = false;        // prompts stored as text (image byte 0x79 bit 1)
  int promptLanguage = 0;            // language index, 17 = Thai
};

// The items a list field offers for the loaded codeplug, in index order.
// Empty for fields that are not lists.
std::vector<std::string_view> listItems(const FieldEntry& field, const ListContext& context);

}  // namespace zelta::pages
