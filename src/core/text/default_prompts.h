#pragma once

#include <optional>
#include <string_view>

#include "errors/messages.h"
#include "text/prompt_catalogue.h"

namespace zelta::text {

// The default text table: one row per prompt text, one entry per table
// language. National letters are written with the substitute character at
// the national position of the language's character set (German "L\SCHEN").
inline constexpr int kDefaultTextRows = 125;
std::string_view defaultTextAt(int row, int language);

// The default text of the prompt at a list index in a language; nothing for
// an index without a default text (the zoom prompts), an index outside the
// list, or a language without tables.
std::optional<std::string_view> defaultText(int language, int index, PromptList list);

// The number of the pager's ROM prompt that shows this prompt in this
// language, or -1 when the pager has none (always -1 for the 118-, 119- and
// 123-lists).
int romPromptNumber(int language, int index, PromptList list);

enum class LanguageDefaults { applied, noDefaultData };

// Sets every prompt of the list to its default for the language: power-up,
// disable and source prompts as text, prompts the pager holds in ROM as
// "<DEFAULT>", the rest as the language's text. Prompts without a default
// text keep theirs.
//
// The ideographic and Thai prompt sets (languages 15-17) are not held by
// this program: for those, and any other language without tables, nothing
// changes and noDefaultData tells the caller to keep the prompts (and their
// storage form) as read, so that such codeplugs are written back unchanged.
LanguageDefaults applyLanguageDefaults(PromptSet& prompts, int language, PromptList list);

// What the operator is told when a language has no default prompts here.
errors::Message noLanguageDefaultsMessage();

// The Alt+R toggle: for a prompt the pager holds in ROM, "<DEFAULT>" turns
// into the language's text and any other text into "<DEFAULT>". Returns false
// (and changes nothing) for prompts without a ROM prompt.
bool togglePromptDefault(Prompt& prompt, int language, int index, PromptList list);

}  // namespace zelta::text
