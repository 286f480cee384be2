#include "pages/key_filter.h"

#include <gtest/gtest.h>

#include <string>

#include "pages/field_ids.h"

namespace zelta::pages {
namespace {

const FieldEntry& field(std::string_view name) {
  const FieldEntry* f = findField(name);
  if (f == nullptr) throw std::logic_error("no field " + std::string(name));
  return *f;
}

// Types a whole string into a field from position 0 and returns what entered
// it; dropped keys leave no trace.
std::string typed(std::string_view name, std::string_view keys, const KeyContext& context) {
  std::string out;
  for (char k : keys) {
    const auto c = typeCharacter(field(name), static_cast<unsigned char>(k), context, out.size());
    if (c) out.push_back(static_cast<char>(*c));
  }
  return out;
}

struct TypingCase {
  const char* label;
  std::string_view field;
  models::ModelCode model;
  std::uint8_t headerType;
  std::string_view keys;
  std::string_view result;
};

void PrintTo(const TypingCase& c, std::ostream* os) {
  *os << c.label;
}

class TypingTest : public ::testing::TestWithParam<TypingCase> {};

TEST_P(TypingTest, KeepsOnlyWhatTheFieldTakes) {
  const TypingCase& c = GetParam();
  EXPECT_EQ(typed(c.field, c.keys, KeyContext{c.model, c.headerType, true}), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, TypingTest,
    ::testing::Values(
        // Y/N fields: digits and other letters vanish, lower case goes up.
        TypingCase{"priority_yn", "ed_priority01", '0', 0, "y5nQ Yn", "YNYN"},
        TypingCase{"history_yn", "ed_history05", 'p', 0, "n?yY", "NYY"},
        TypingCase{"masked_yn_column", "ed_fixAlert03", 0x91, 1, "ynxY", "YNY"},
        // Functions: "G" is never a function letter; "I" needs a non-zero header type.
        TypingCase{"functions_header0", "ed_function01", '0', 0, "tGnaix", "TNAX"},
        TypingCase{"functions_header1", "ed_function01", '0', 1, "tGaIx", "TAIX"},
        TypingCase{"function02_model35", "ed_function02", '#', 4, "TNAIXix", "IXIX"},
        TypingCase{"function03_model35", "ed_function03", '#', 4, "tnGix", "TNIX"},
        // Any key passes the filter here; the letter mask still keeps digits out.
        TypingCase{"function02_other_model", "ed_function02", '0', 1, "g5hT", "GHT"},
        // Prompts: what the prompt code table holds, but never "." or ",".
        TypingCase{"prompt_model0", "ed_deletePrompt", '0', 0, "de l.,*!#+x", "DE L*!#X"},
        TypingCase{"prompt_model_space", "ed_source3Prompt", ' ', 0, "de l.,*!#+x", "DE L#X"},
        TypingCase{"prompt_model35", "ed_deletePrompt", '#', 4, "a.,+", "A.,+"},
        TypingCase{"function02_header0", "ed_function02", '#', 0, "tIx", "TX"},
        TypingCase{"pager_code_decimal", "ed_code01", '0', 0, "12a3-4 5", "12345"},
        TypingCase{"ota_letters_digits", "ed_otaPassword", '0', 0, "ab 1_*Z", "AB 1Z"},
        TypingCase{"timeout_decimal", "ed_cpwFc_Pswd_Timeout_h", 0x98, 0, "1x2", "12"},
        TypingCase{"hex_with_point", "ed_endMsgChar", '0', 0, "7fg.", "7F."},
        TypingCase{"hex_canned", "ed_startCannedMsg", '0', 1, "3f7e", "3F7E"},
        // Unfiltered text fields still upper-case.
        TypingCase{"icn_free_text", "ed_ICN", '0', 0, "ab-12/c", "AB-12/C"},
        // The frequency mask takes digits only and keeps its point fixed.
        TypingCase{"frequency_digits", "ed_frequency", '0', 0, "1a4", "14"}),
    [](const ::testing::TestParamInfo<TypingCase>& p) { return std::string(p.param.label); });

TEST(KeyFilter, BackspacePassesCharacterFiltersButNotMaskKeyFields) {
  const KeyContext ctx{'0', 0, true};
  for (std::string_view name : {"ed_priority02", "ed_code04", "ed_downloadPassword",
                                "ed_endMsgChar", "ed_cpwFc_Pswd_Timeout_s", "ed_ICN"}) {
    EXPECT_EQ(typeCharacter(field(name), kBackspace, ctx), kBackspace) << name;
  }
  for (std::string_view name : {"ed_function01", "ed_onOffDuty16", "ed_crescendo02"}) {
    EXPECT_EQ(typeCharacter(field(name), kBackspace, ctx), std::nullopt) << name;
  }
  EXPECT_TRUE(keyAccepted(KeyFilter::UserPassword, kNoFieldId, kBackspace, ctx));
}

TEST(KeyFilter, DeleteBackspaceEscapeSwallowedInMaskedLetterFieldsOnly) {
  for (EditKey key : {EditKey::Delete, EditKey::Backspace, EditKey::Escape}) {
    EXPECT_TRUE(editKeySwallowed(field("ed_function07"), key));
    EXPECT_TRUE(editKeySwallowed(field("ed_interruptVib05"), key));
    EXPECT_FALSE(editKeySwallowed(field("ed_priority07"), key));
    EXPECT_FALSE(editKeySwallowed(field("ed_frequency"), key));
  }
}

// The letters (either case) the functions filter lets through.
std::string functionLetters(FieldId field, models::ModelCode model, std::uint8_t headerType) {
  const KeyContext ctx{model, headerType, true};
  std::string accepted;
  for (char32_t k = 'A'; k <= 'Z'; ++k) {
    const bool upper = keyAccepted(KeyFilter::Functions, field, k, ctx);
    EXPECT_EQ(upper, keyAccepted(KeyFilter::Functions, field, k - 'A' + 'a', ctx));
    if (upper) accepted.push_back(static_cast<char>(k));
  }
  return accepted;
}

TEST(KeyFilter, FunctionLettersByHeaderTypeModelAndField) {
  EXPECT_EQ(functionLetters(fieldId("ed_code01"), '0', 0), "ANTX");
  EXPECT_EQ(functionLetters(fieldId("ed_function02"), '#', 0), "ANTX");
  EXPECT_EQ(functionLetters(fieldId("ed_code01"), '0', 2), "AINTX");
  EXPECT_EQ(functionLetters(fieldId("ed_function07"), '#', 4), "AINTX");
  EXPECT_EQ(functionLetters(fieldId("ed_function02"), '#', 4), "IX");
  EXPECT_EQ(functionLetters(fieldId("ed_function02"), 0x91, 1), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

TEST(KeyFilter, UserPasswordDigitsZeroToThree) {
  const KeyContext ctx{0x98, 0, true};
  std::string accepted;
  for (char32_t k = 0x20; k < 0x7F; ++k) {
    if (keyAccepted(KeyFilter::UserPassword, kNoFieldId, k, ctx)) {
      accepted.push_back(static_cast<char>(k));
    }
  }
  EXPECT_EQ(accepted, "0123");
}

TEST(KeyFilter, ListAndReadOnlyFieldsTakeNoTyping) {
  const KeyContext ctx{0x98, 0, true};
  EXPECT_EQ(typeCharacter(field("cb_codeType01"), 'A', ctx), std::nullopt);
  EXPECT_EQ(typeCharacter(field("ed_cpwFc_Password"), '1', ctx), std::nullopt);
  EXPECT_EQ(typeCharacter(field("ed_persMemSizeString"), '1', ctx), std::nullopt);
}

TEST(KeyFilter, UpperCasingTouchesAsciiLettersOnly) {
  EXPECT_EQ(upperCaseAsTyped('y'), U'Y');
  EXPECT_EQ(upperCaseAsTyped('z'), U'Z');
  EXPECT_EQ(upperCaseAsTyped('Y'), U'Y');
  EXPECT_EQ(upperCaseAsTyped('{'), U'{');
  EXPECT_EQ(upperCaseAsTyped('`'), U'`');
  EXPECT_EQ(upperCaseAsTyped('5'), U'5');
}

}  // namespace
}  // namespace zelta::pages
