#pragma once

#include <string_view>

#include "pages/page_module.h"

namespace zelta::pages {

// The user-password time-out of family F pagers: seconds, at most 12 hours.
inline constexpr int kMaxUserPasswordTimeout = 12 * 3600;

// The time-out as the page shows it: whole hours, minutes 0-59, seconds 0-59.
struct TimeoutParts {
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
};
TimeoutParts timeoutParts(int seconds);

// The "Password / OTA" page: download security, over-the-air programming and
// its passwords, data inversion and the user password of family F.
class PasswordOtaPage final : public PageModule {
 public:
  void onEnter(FieldId field, PageContext& context) override;

  // Stores the field, then runs the page check; returns its result.
  //  - Choosing "Maximum" security asks the user to record the password.
  //  - A changed group OTA password without a Group or Mail Drop code warns
  //    with -100; the password stays stored.
  //  - Each time-out field (hours, minutes, seconds) replaces its part of the
  //    stored time-out; the other two keep what the page shows.
  //  - "User Password" (508) takes the key digits "0"-"3" of the hidden
  //    ed_cpwFc_Password; its shown form "L. R. " is read back as well.
  errors::ResultCode onExit(const FieldInput& input, PageContext& context) override;

  // OTA programming needs a text code, silent OTA needs OTA; on models 152
  // and 153 a time-out above 12 hours is cut to 43200 s and fails with -125.
  errors::ResultCode pageCheck(PageContext& context) override;

  // Without a text code both OTA choices become "No"; without OTA, silent OTA.
  void refresh(PageContext& context) override;

  PageView view(Page page, const PageContext& context) const override;
};

}  // namespace zelta::pages
