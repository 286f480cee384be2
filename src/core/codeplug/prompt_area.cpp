#include "codeplug/prompt_area.h"

#include "text/default_prompts.h"
#include "text/languages.h"
#include "text/prompt_block.h"

namespace zelta::codeplug {
namespace {

constexpr std::uint8_t kTextPad = '!';
constexpr std::uint8_t kThaiTextPad = 0xA0;

}  // namespace

std::uint8_t promptPadByte(int language) { return language == text::lang::thai ? kThaiTextPad : kTextPad; }

void decodePromptArea(ConstImageView image, const FieldOffsetTable& t, text::PromptList list, SettingsRecord& s) {
  if (!s.promptsAsText) {
    text::unpackPrompts(image.bytesAt(t.promptBlock, t.promptCapacity), s.prompts, list, s.showSource != 0);
    return;
  }
  const std::uint8_t pad = promptPadByte(s.internationalPrompt);
  for (text::PromptId id : text::promptListEntries(list)) {
    const PromptTextSlot& slot = t.prompt(id);
    if (slot.width == 0) continue;
    std::string stored = image.text(slot.offset, slot.width);
    while (!stored.empty() && static_cast<std::uint8_t>(stored.back()) == pad) stored.pop_back();
    s.prompts[id] = text::Prompt{text::PromptText{stored}, false};
  }
}

void buildPromptArea(ImageView image, const FieldOffsetTable& t, ModelCode model, text::PromptList list,
                     SettingsRecord& s) {
  if (!s.promptsAsText) {
    text::PromptWorkBuffer buffer;
    const text::PromptPacking packing{list, model, s.internationalPrompt, s.showSource != 0};
    const int lastByte = text::packPrompts(s.prompts, packing, buffer);
    text::copyPromptBlock(buffer, lastByte, image.bytesAt(t.promptBlock, t.promptCapacity), true);
    return;
  }
  const std::uint8_t pad = promptPadByte(s.internationalPrompt);
  const auto entries = text::promptListEntries(list);
  for (std::size_t index = 0; index < entries.size(); ++index) {
    const PromptTextSlot& slot = t.prompt(entries[index]);
    if (slot.width == 0) continue;
    text::Prompt& prompt = s.prompts[entries[index]];
    if (prompt.text.contains(text::kDefaultMarker)) {
      if (const auto defaults = text::defaultText(s.internationalPrompt, static_cast<int>(index), list)) {
        prompt = text::Prompt{text::PromptText{*defaults}, false};
      }
    }
    image.setText(slot.offset, slot.width, prompt.text.view(), pad);
  }
}

}  // namespace zelta::codeplug
