#pragma once

#include <filesystem>

#include "conversion/model_converter.h"
#include "errors/result_code.h"
#include "storage/codeplug_files.h"

namespace zelta::conversion {

// Opening a codeplug file once the user has chosen it: the file is read and
// decoded; on success the converter is off with its source pending and the
// snapshot is armed for the next conversion. A failed open changes nothing,
// the converter included. 1, or the failure of readCodeplugFile.
errors::ResultCode openCodeplug(const std::filesystem::path& file,
                                const storage::CodeplugSession& session, ConverterState& converter);

// Saving once the user has chosen the file. Without a converter target the
// settings are built and written. With one, the backup is written (for the
// models that take one), the codeplug is converted for the target and the
// converted image is written without building it again; a conversion that
// fails shows -119 and writes nothing. 1, the code already shown, or
// kFileNotAccessible.
errors::ResultCode saveCodeplug(const std::filesystem::path& file,
                                const storage::CodeplugSession& session,
                                const ConverterState& converter,
                                const storage::SaveContext& context = {});

}  // namespace zelta::conversion
