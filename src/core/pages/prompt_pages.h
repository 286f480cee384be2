#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string_view>

#include "errors/result_code.h"
#include "pages/page_module.h"
#include "text/prompt_block.h"
#include "text/prompt_catalogue.h"

namespace zelta::pages {

// The prompt a field of the prompt or source pages edits on the loaded
// model; nothing for other fields and for prompt fields the model does not
// offer. The two-frequency models (119-list) have no print prompts: their
// "Print One Msg" and "Print All Msgs" fields, captioned "Dual Frequency
// Menu" and "Scan", edit the dual frequency menu and scan prompts, and the
// fields of those two prompts are not offered.
std::optional<text::PromptId> promptOfField(pages::FieldId field,
                                            const pages::PageContext& context);

// The prompt list of the loaded model (the 118-list while a converter
// target is selected).
text::PromptList promptListOf(const pages::PageContext& context);

// Whether the loaded codeplug keeps its prompts in the packed block that the
// size check measures. Prompts stored as text sit in fixed-width slots, and
// model '#' keeps raw blocks of its own: neither can overflow the block.
bool promptsPacked(const pages::PageContext& context);

// The status-bar gauge is shown only on the two prompt and two source pages.
constexpr bool promptGaugeShown(pages::Page page) {
  return page == pages::Page::Prompt1 || page == pages::Page::Prompt2 ||
         page == pages::Page::Source1to8 || page == pages::Page::Source9to16;
}

// What the prompt pages lay out by model beyond their fields (which view()
// shows, hides and enables).
struct PromptPageLayout {
  // Tab captions of pages 6, 7 and 8.
  std::array<std::string_view, 3> tabCaptions{"Prompt 2", "Source 1-8", "Source 9-16"};
  // Model '#': the power-up and disable fields hold the two raw 18-byte
  // prompts (nine two-byte characters each) instead of packed text.
  bool rawPowerUpGroupShown = false;
  // The group of "Set Reminder" and "Standard And Vib".
  bool reminderGroupShown = false;
};

PromptPageLayout promptPageLayout(const pages::PageContext& context);

// The module of the "Prompt 1", "Prompt 2", "Source 1-8" and "Source 9-16"
// pages. One object serves both page pairs (it is registered as the prompt
// and as the source module): they share the packer's work buffer, the
// prompt-usage gauge and the step that shows the stored form.
//
// Every prompt or source edit is stored, re-packed and checked against the
// block's capacity (-58), and the image is then rebuilt and decoded again so
// that the page shows what the pager will hold.
class PromptPages final : public pages::PageModule {
 public:
  // Builds the image from the settings and decodes it again. Returns Ok when
  // the settings now hold the stored form; on a failure it must leave the
  // settings as they are (a failed build followed by a decode would throw
  // the edits away).
  using StoredFormRefresh = std::function<errors::ResultCode(pages::PageContext&)>;

  // The rebuild step, set by the owner of the codeplug objects. Until it is
  // set, edits are stored and checked but the settings are not rebuilt.
  void setStoredFormRefresh(StoredFormRefresh refresh) { refresh_ = std::move(refresh); }

  // Remembers the prompt field being edited: while it has focus a prompt
  // whose built-in flag is set shows "<DEFAULT>".
  void onEnter(pages::FieldId field, pages::PageContext& context) override;

  // Prompt and source fields: stored, packed and checked (-58), then the
  // stored form is shown. A prompt keeps its new text on overflow, a source
  // gets its old text back; either way the result is -58, not Ok. Texts
  // over 20 characters are refused (FieldRefused). The lists: a language choice applies its
  // default prompts and warns with -59 when the character set does not suit
  // it; the character set and "Show Source" are stored as chosen.
  errors::ResultCode onExit(const pages::FieldInput& input, pages::PageContext& context) override;

  // The silent prompt memory check (F11, F12, the page check chain): Ok when
  // the block fits, else -58 without a message.
  errors::ResultCode pageCheck(pages::PageContext& context) override;

  // Page entry: the prompt memory check with reporting.
  void refresh(pages::PageContext& context) override;

  pages::PageView view(pages::Page page, const pages::PageContext& context) const override;

  // Alt+R in a prompt field: when the prompt answers Alt+R and the pager
  // holds it in ROM for the current language, the toggle is marked pending
  // and true returned (the field shows the prompt's setting text); leaving
  // the field then turns "<DEFAULT>" into the language's text or any text
  // into "<DEFAULT>". Otherwise nothing happens.
  bool toggleDefault(pages::FieldId field, pages::PageContext& context);

  // Packs and checks the block (-58 when report is set and it does not fit)
  // and updates the gauge. Codeplugs without a packed block always fit.
  bool promptMemoryFits(pages::PageContext& context, bool report);

  // F2 pressed: on the prompt pages of a model '#' codeplug the raw prompts'
  // lead bytes are checked (-77, a warning only). Returns Ok: programming
  // goes on and the last field check counts as passed.
  errors::ResultCode programPressed(pages::Page activePage, pages::PageContext& context);

  // The prompt-usage gauge: the share of the block in use at the last check
  // that fitted; nothing before such a check or without a packed block.
  std::optional<int> usagePercent() const { return usagePercent_; }

 private:
  errors::ResultCode storePrompt(const pages::FieldEntry& field, const pages::FieldInput& input,
                                 pages::PageContext& context);
  errors::ResultCode storeSource(const pages::FieldEntry& field, const pages::FieldInput& input,
                                 pages::PageContext& context);
  errors::ResultCode chooseLanguage(const pages::FieldEntry& field, int item,
                                    pages::PageContext& context);
  void showStoredForm(pages::PageContext& context);

  text::PromptWorkBuffer buffer_{};
  std::optional<int> usagePercent_;
  pages::FieldId editing_ = pages::kNoFieldId;
  pages::FieldId pendingToggle_ = pages::kNoFieldId;
  StoredFormRefresh refresh_;
};

}  // namespace zelta::pages
