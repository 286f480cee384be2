#include "pages/password_ota_page.h"

#include <charconv>
#include <string>

#include "codeplug/d_family_layout.h"
#include "codeplug/settings_record.h"
#include "errors/reporter.h"
#include "pages/code_predicates.h"
#include "pages/field_ids.h"
#include "pages/page_settings.h"
#include "pages/user_password.h"

namespace zelta::pages {
namespace {

using codeplug::SettingsRecord;

constexpr int kNo = 0;
constexpr int kYes = 1;
constexpr int kEnable = 1;
constexpr int kMaximumSecurity = 1;

constexpr FieldId kSecurityLevel = fieldId("cb_securityLevel");
constexpr FieldId kSilentRFProgramming = fieldId("cb_silentRFProgramming");
constexpr FieldId kOtaPassword = fieldId("ed_otaPassword");
constexpr FieldId kOtaGroupPassword = fieldId("ed_otaGroupPassword");
constexpr FieldId kUserPasswordLevel = fieldId("cb_fUif_User_Password_Level");
constexpr FieldId kTimeoutMinutes = fieldId("ed_cpwFc_Pswd_Timeout_m");
constexpr FieldId kTimeoutHours = fieldId("ed_cpwFc_Pswd_Timeout_h");
constexpr FieldId kTimeoutSeconds = fieldId("ed_cpwFc_Pswd_Timeout_s");
constexpr FieldId kUserPassword = fieldId("ed_cpwFc_Password_LRUD");

constexpr FieldId kOtaDependents[] = {kSilentRFProgramming, kOtaPassword, kOtaGroupPassword};

pages::CodeKinds kindsOf(const PageContext& c) {
  return pages::codeKinds(c);
}

std::string_view trimmedRight(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A time-out field as typed: decimal digits, empty for 0. Anything the
// decimal filter would not have let through counts as 0 as well.
int typedNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  text = trimmedRight(text);
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0) return 0;
  return value;
}

void storeTimeoutPart(const FieldInput& in, SettingsRecord& s) {
  TimeoutParts parts = timeoutParts(s.userPasswordTimeout);
  const int typed = typedNumber(in.text);
  if (in.id == kTimeoutHours) parts.hours = typed;
  if (in.id == kTimeoutMinutes) parts.minutes = typed;
  if (in.id == kTimeoutSeconds) parts.seconds = typed;
  // The fields hold at most 2, 3 and 5 digits: the sum cannot overflow.
  s.userPasswordTimeout = parts.hours * 3600 + parts.minutes * 60 + parts.seconds;
}

// The key digits from the hidden digit field or from the shown letters
// ("L. R. " for "01").
std::string userPasswordDigits(std::string_view text) {
  constexpr std::string_view kKeyLetters = "LRUD";  // in digit order
  std::string digits;
  for (char ch : text) {
    std::size_t key = kKeyLetters.find(ch);
    if (ch >= '0' && ch <= '3') key = static_cast<std::size_t>(ch - '0');
    if (key == std::string_view::npos || digits.size() >= kUserPasswordMaxKeys) continue;
    digits.push_back(static_cast<char>('0' + key));
  }
  return digits;
}

void storePasswordField(const FieldInput& in, PageContext& c) {
  SettingsRecord& s = c.settings;
  switch (in.id) {
    case kSecurityLevel:
      if (storeField(in, c) && s.securityLevel == kMaximumSecurity) {
        c.reporter.Show({errors::BoxClass::Information, "successfully",
                         "Please record your password.\nPress OK button to continue"});
      }
      return;
    case kOtaGroupPassword: {
      const bool changed = trimmedRight(in.text) != trimmedRight(s.otaGroupPassword);
      const pages::CodeKinds kinds = kindsOf(c);
      if (changed && !kinds.group && !kinds.maildrop) {
        c.reporter.ReportCode(errors::code::OtaFieldNeedsGroup);
      }
      s.otaGroupPassword = in.text;
      return;
    }
    case kTimeoutHours:
    case kTimeoutMinutes:
    case kTimeoutSeconds: storeTimeoutPart(in, s); return;
    case kUserPassword: {
      s.cpwFc_Password = userPasswordDigits(in.text);
      if (s.cpwFc_Password.size() >= kUserPasswordMinKeys) {
        s.userPasswordKeyCount = static_cast<int>(s.cpwFc_Password.size());
      }
      return;
    }
    default: storeField(in, c); return;
  }
}

}  // namespace

TimeoutParts timeoutParts(int seconds) {
  if (seconds < 0) seconds = 0;
  return {seconds / 3600, seconds % 3600 / 60, seconds % 60};
}

void PasswordOtaPage::onEnter(FieldId, PageContext&) {}

errors::ResultCode PasswordOtaPage::onExit(const FieldInput& input, PageContext& context) {
  storePasswordField(input, context);
  return pageCheck(context);
}

errors::ResultCode PasswordOtaPage::pageCheck(PageContext& c) {
  SettingsRecord& s = c.settings;
  if (!kindsOf(c).text) s.rfProgramming = kNo;
  if (s.rfProgramming == kNo) s.silentRFProgramming = kNo;
  if (models::modelIn(c.model, models::ModelGroup::fFamily) &&
      s.userPasswordTimeout > kMaxUserPasswordTimeout) {
    s.userPasswordTimeout = kMaxUserPasswordTimeout;
    c.reporter.ReportCode(errors::code::IllegalTimeout);
    return errors::code::IllegalTimeout;
  }
  return errors::code::Ok;
}

void PasswordOtaPage::refresh(PageContext& c) {
  SettingsRecord& s = c.settings;
  if (!kindsOf(c).text) s.rfProgramming = kNo;
  if (s.rfProgramming == kNo) s.silentRFProgramming = kNo;
}

PageView PasswordOtaPage::view(Page page, const PageContext& c) const {
  PageView view = settingsPageView(page, c);
  const SettingsRecord& s = c.settings;
  const TimeoutParts parts = timeoutParts(s.userPasswordTimeout);
  const std::pair<FieldId, int> shownParts[] = {{kTimeoutHours, parts.hours},
                                                {kTimeoutMinutes, parts.minutes},
                                                {kTimeoutSeconds, parts.seconds}};
  for (const auto& [id, value] : shownParts) {
    if (FieldView* field = fieldIn(view, id)) field->text = std::to_string(value);
  }
  // The keys the pager will hold, as a save and a read give them back.
  if (FieldView* keys = fieldIn(view, kUserPassword)) {
    keys->text = keyLetters(codeplug::heldUserKeys(s.cpwFc_Password, s.userPasswordKeyCount,
                                                   s.fUif_User_Password_Enable != 0));
  }

  const bool ota = kindsOf(c).text && s.rfProgramming == kYes;
  for (FieldId id : kOtaDependents) disableUnless(view, id, ota);
  disableUnless(view, kUserPasswordLevel, s.fUif_User_Password_Enable == kEnable);
  return view;
}

}  // namespace zelta::pages
