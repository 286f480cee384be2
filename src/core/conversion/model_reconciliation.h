#pragma once

#include <functional>

#include "codeplug/model_checks.h"
#include "conversion/model_converter.h"
#include "errors/result_code.h"
#include "models/models.h"
#include "storage/codeplug_files.h"

namespace zelta::conversion {

// Makes the codeplug ready for the connected pager's model, after a passed
// compatibility test and before the image is written: builds it, or, with
// the operator's consent (-115, -116), rebuilds or converts it for a newer
// pager and writes the pager's serial number into it.
//
// codeplugModel is the model the codeplug was read or loaded as; the image
// carries the pager's model and slots, loaded for programming.
// readPagerInformation asks the pager for its information again before a
// conversion to family D; false when that fails.
//
// Ready when the image is ready to write; Stopped when programming must stop
// quietly (a question answered No, or a failure already shown), which the
// program operation reports as NotWritten.
enum class Reconciled { Ready, Stopped };

Reconciled reconcileModel(models::ModelCode codeplugModel, const codeplug::PagerFacts& pager,
                          const storage::CodeplugSession& session, const ConverterState& converter,
                          const storage::SaveContext& context,
                          const std::function<bool()>& readPagerInformation);

}  // namespace zelta::conversion
