#pragma once

#include "codeplug/codeplug_image.h"
#include "codeplug/field_offsets.h"
#include "codeplug/image_view.h"
#include "codeplug/settings_record.h"
#include "models/models.h"
#include "text/prompt_catalogue.h"

namespace zelta::codeplug {

// The fields every family keeps at the same offsets, decoded and built by one
// set of functions that the family decoders and builders call:
//
//   header    0x00 RF programming, 0x08 OTA password, 0x13 bit 2
//             synthesizer flag, 0x14-0x16 kept,
//             0x3D-0x3F tuning bytes, 0x40 end-of-message character,
//             0x41-0x42 battery gauge levels, 0x53 download password,
//             0x5D serial number, 0x67 inventory control number,
//             0x96-0x97 version stamp (built only)
//   options   0x12 stop decoding on missed sync, 0x71-0x7D (not the
//             code-type bits 3-0 of 0x7A/0x7B), timers
//             0x7E-0x84, 0x85 alert frequency, 0x86 melody, 0x9A remap row,
//             0xAA canned messages, 0xAC text contrast, 0xAD low cell period,
//             0xAE service adjustment, 0xB9-0xBA default alerts, 0xC9 memory
//             split, 0xDD group password; building also the icon contrast
//   receiver  synthesizer and oscillator bytes, N and R words, 0x99
//             injection side: the receive frequency and its text; decoding
//             also the icon contrast (the byte after the oscillator byte)
//   band      0x73 narrow band and band index
//
// The family code does the rest: model byte and generation, codes and their
// flags, coding format and data inversion, zoom, history, raw blocks,
// prompts, firmware blocks. A family that keeps another field in one of these
// bytes (D-F: 0x73 bit 2, 0x79 bit 2) writes it after the common builder and
// reads it after the common decoder. The fields that are one bit or bit
// group for one setting are the rows of kCommonOptionFields
// (option_fields.h), which both directions use.

// Where a decoder reads from: the bytes (the current image, or the
// old-format window), the slots of the family, the model and the header
// values the decode may set.
struct DecodeSource {
  ConstImageView bytes;
  const FieldOffsetTable& slots;
  models::ModelCode model;
  CodeplugHeader& header;
  bool pagerUnprogrammed = false;
};

// Where a builder writes to.
struct BuildTarget {
  ImageView bytes;
  const FieldOffsetTable& slots;
  models::ModelCode model;
  const CodeplugHeader& header;
  bool pagerUnprogrammed = false;
};

// The slots the decoders and builders address: those loaded for the model,
// or family A's for a code no model has (old images read from a file).
const FieldOffsetTable& familySlots(const CodeplugImage& image);

// --- Decoding ---

// Header bytes and identity texts. Sets the synthesizer flag (0x13 bit 2) to
// 1, as every current-format decoder does; the old-format conversion clears
// it again.
void decodeHeaderFields(const DecodeSource& source, SettingsRecord& settings);

// Option, alert, timer, display and memory bytes, the melody, the character
// set (which needs the prompt language decoded here first), contrasts and
// the group password. Model ' ' reads its own forms (end-of-message number,
// no display byte, no memory split, no group password).
void decodeOptionFields(const DecodeSource& source, SettingsRecord& settings);

// The receive frequency of the synthesizer block at the family's slots: the
// frequency in hertz, the receiver values, the PLL type and the page text
// with decimals 4 ("158.0125") or 5 ("158.01250", families D-F), and the
// icon contrast. A synthesizer byte of 0 gives 0 Hz and keeps the receiver
// values.
void decodeReceiveFrequency(const DecodeSource& source, SettingsRecord& settings, int decimals);

// Narrow band (0x73 bit 7) and the band index: bits 6-3 of 0x73 for an image
// with the band-field mark, otherwise the band of the receive frequency
// (decodeReceiveFrequency first). A frequency in no band keeps the band.
void decodeBand(const DecodeSource& source, SettingsRecord& settings);

// The prompts of the model's list, in the form byte 0x79 bit 1 names
// (decodeOptionFields first): stored as text, each prompt from its
// fixed-width slot as the bytes stand (padding included, so that writing
// it back reproduces them); else unpacked from the compressed block.
void decodePrompts(const DecodeSource& source, SettingsRecord& settings, text::PromptList list);

// The coding format index (0 512, 1 1200, 2 2400) and the baud constant
// that goes with it (3, 7, 14).
void setCodingFormat(SettingsRecord& settings, int codingFormat);

// Every prompt and text setting that is exactly one space becomes empty: the
// pager pads with spaces, the pages show such a field as empty.
void emptySingleSpaceTexts(SettingsRecord& settings);

// --- Building ---

// The header: byte 0, the fixed marks ")&)" and "YC", the passwords,
// the synthesizer flag, the kept bytes 0x14-0x16, the version stamp 8.3.4,
// the end-of-message character and battery levels (0 for model ' '), the
// serial number (only for an unprogrammed pager) and the inventory number.
void buildHeaderFields(const BuildTarget& target, const SettingsRecord& settings);

// The option bytes with their forced values, timers, melody, remap row,
// contrasts, default alerts, memory split (only for an unprogrammed pager)
// and group password. Forces the ideographic canned setting by character
// ROM first, as the page would.
void buildOptionFields(const BuildTarget& target, SettingsRecord& settings);

// The synthesizer block from the receiver values of the settings (found by
// checkSynthesizable): the N and R words when the synthesizer flag is set,
// then the synthesizer byte, the oscillator byte with its two kept flags and
// the injection side bits of 0x99.
void buildReceiver(const BuildTarget& target, const SettingsRecord& settings);

// The prompts of the model's list: as text into their slots (padded for the
// prompt language), or packed into the compressed block of capacity bytes
// with the rest of the block cleared. A packed block over the capacity is
// not written (the prompt size check before building refuses it). Packing
// may give a "<DEFAULT>" prompt without ROM text its language's text.
void buildPrompts(const BuildTarget& target, SettingsRecord& settings, text::PromptList list,
                  int capacity);

// Tuning bytes 0x3D-0x3F become 90, 78, 98 (in the settings too); byte 0x73
// takes the band index and narrow band.
void buildTuningAndBand(const BuildTarget& target, SettingsRecord& settings);

}  // namespace zelta::codeplug
