#pragma once

#include <cstdint>

#include "codeplug/field_offsets.h"
#include "codeplug/image_view.h"
#include "codeplug/models.h"
#include "codeplug/settings_record.h"
#include "text/prompt_catalogue.h"

namespace zelta::codeplug {

// The prompts of a model's list in the image, in the form byte 0x79 bit 1
// names (settings.promptsAsText, decoded before):
//
//   packed  the bit-packed prompt block at the promptBlock slot, capacity
//           promptCapacity bytes, its unused tail zero
//   text    each prompt in its own fixed-width field (promptText slots),
//           padded with "!" bytes (0xA0 for Thai prompts), no terminator

// The byte that pads a prompt stored as text.
std::uint8_t promptPadByte(int language);

// Reads every prompt the area holds into the settings. Packed sources that
// the block does not hold ("Show Source" No) keep their values.
void decodePromptArea(ConstImageView image, const FieldOffsetTable& t, text::PromptList list, SettingsRecord& s);

// Writes the prompts back. A prompt reading "<DEFAULT>" that the pager does
// not hold in ROM is written as the language's default text, which the
// settings then hold too. A packed block larger than the capacity is not
// written (the size check before programming and saving refuses it).
void buildPromptArea(ImageView image, const FieldOffsetTable& t, ModelCode model, text::PromptList list,
                     SettingsRecord& s);

}  // namespace zelta::codeplug
