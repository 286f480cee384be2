#include "codeplug/stored_form.h"

#include <gtest/gtest.h>

#include "codec_fixture.h"

namespace zelta::codeplug {
namespace {

using testing::imageOf;
using text::PromptId;

// An old image decodes from the old-format window, not from what the
// builder writes: the refresh must not decode it again, or every edit
// would fall back to what the old pager held.
TEST(StoredForm, OldFormatCodeplugsKeepTheirEdits) {
  for (models::ModelCode model : {' ', '"'}) {
    auto image = imageOf(model);
    const ImageView old = image->oldFormat();
    old.setByte(1, model);
    old.setWord24(0x49, 1'580'125);  // 158.0125 MHz
    SettingsRecord settings;
    ASSERT_EQ(decodeImage(DecodeCommand::OpenFile, *image, settings, {}), errors::code::Ok);

    settings.prompts[PromptId::standardAlertPrompt] = {text::PromptText{"EDITED"}, false};
    settings.code[2] = "0001000";
    EXPECT_EQ(rebuildStoredForm(*image, settings, standardCodec(), false), errors::code::Ok);
    EXPECT_EQ(settings.prompts[PromptId::standardAlertPrompt].text.str(), "EDITED");
    EXPECT_EQ(settings.code[2], "0001000");
  }
}

}  // namespace
}  // namespace zelta::codeplug
