#pragma once

namespace zelta::text {

// Prompt language indices as the settings hold them (the item order of
// "International Prompt"). 15-17 belong to pagers with an ideographic or Thai
// character ROM; stored codes may also read back as 18 or 19, which no list
// names.
namespace lang {
inline constexpr int english = 0;
inline constexpr int german = 1;
inline constexpr int germanSwiss = 2;
inline constexpr int french = 3;
inline constexpr int swedish = 4;
inline constexpr int danish = 5;
inline constexpr int norwegian = 6;
inline constexpr int europeanPortuguese = 7;
inline constexpr int lacPortuguese = 8;
inline constexpr int europeanSpanish = 9;
inline constexpr int lacSpanish = 10;
inline constexpr int italian = 11;
inline constexpr int finnish = 12;
inline constexpr int dutch = 13;
inline constexpr int malay = 14;
inline constexpr int traditionalChinese = 15;
inline constexpr int simplifiedChinese = 16;
inline constexpr int thai = 17;
}  // namespace lang

// Languages whose default prompts and ROM tables this program holds.
inline constexpr int kTableLanguages = 15;
constexpr bool hasDefaultTables(int language) {
  return language >= 0 && language < kTableLanguages;
}

// Item 15 of the language list stands for the ROM's own language.
constexpr int languageFromListItem(int item, int cgromType) {
  if (item != kTableLanguages) return item;
  if (cgromType == 2) return lang::simplifiedChinese;
  if (cgromType == 3) return lang::thai;
  return lang::traditionalChinese;
}

constexpr int listItemFromLanguage(int language) {
  return language >= lang::traditionalChinese && language <= lang::thai ? kTableLanguages
                                                                        : language;
}

}  // namespace zelta::text
