#pragma once

#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "errors/reporter.h"
#include "errors/result_code.h"

namespace zelta::codeplug {

// What a decode reads beside the image and the settings.
struct DecodeContext {
  // The pager answered that it is unprogrammed: the memory size is then not
  // taken from the image.
  bool pagerUnprogrammed = false;
  // A converter target is selected: the prompts follow the family D list.
  bool converterTarget = false;
  // A pager read: the pager identified itself as one of the old generation,
  // so a '!' image lies in the old-format window. (Files and "Set To
  // Defaults" tell a 1 KB '!' image by its model byte at the image start.)
  bool oldGenerationPager = false;
  // Shows -122 ("Converting codeplug format.") before an old image read from
  // a pager is converted; nothing is shown without one. Every failure is
  // returned to the caller, which reports it.
  errors::Reporter* reporter = nullptr;
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
// fields. Returns Ok.
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

// Whether the decode of the command reads the image the builder writes;
// false for the old-format images, which are decoded from the old-format
// window the pager filled.
bool decodeReadsBuiltImage(DecodeCommand command, const CodeplugImage& image,
                           const DecodeContext& context);

// Loads the model's offset slots, resets the settings to the model's
// defaults and runs the decoders the command and model call for. A failed
// decode leaves the settings at the model's defaults.
errors::ResultCode decodeImage(DecodeCommand command, CodeplugImage& image,
                               SettingsRecord& settings, const DecodeContext& context);

}  // namespace zelta::codeplug
