#pragma once

#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "errors/result_code.h"

namespace zelta::codeplug {

// What a decode reads beside the image and the settings.
struct DecodeContext {
  // The pager answered that it is unprogrammed: the memory size is then not
  // taken from the image.
  bool pagerUnprogrammed = false;
};

// Every decoder starts from the model's defaults and its loaded offset slots
// (the dispatcher below does both); the image stays as read apart from the
// few bytes the old-format conversion rewrites, so that a later build keeps
// every byte no page edits.

// '!' (1 KB), '0' '1' '2' '6' ':' 'p' 't' 'x' 'q' 'u': 0, or -107 when the
// codeplug version is newer than this program.
errors::ResultCode decodeMain(CodeplugImage& image, SettingsRecord& settings,
                              const DecodeContext& context);

// 'q' 'u', after decodeMain: the second code table and the large-layout
// fields. Returns 1.
errors::ResultCode decodeLargeImage(CodeplugImage& image, SettingsRecord& settings,
                                    const DecodeContext& context);

// 0x91-0x93, 0x95-0x99: 0, or -107.
errors::ResultCode decodeDFamily(CodeplugImage& image, SettingsRecord& settings,
                                 const DecodeContext& context);

// 768-byte images in the old-format window, re-laid as family A model '1':
// 0, or -36 when the frequency lies in no supported band.
errors::ResultCode convertOldFormat(CodeplugImage& image, SettingsRecord& settings,
                                    const DecodeContext& context);

// Why an image is being decoded: the dispatch differs between them.
enum class DecodeCommand { ReadPager, OpenFile, SetToDefaults };

// Loads the model's offset slots, resets the settings to the model's
// defaults and runs the decoders the command and model call for. A failed
// decode leaves the settings at the model's defaults.
errors::ResultCode decodeImage(DecodeCommand command, CodeplugImage& image,
                               SettingsRecord& settings, const DecodeContext& context);

}  // namespace zelta::codeplug
