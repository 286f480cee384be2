#include "conversion/codeplug_commands.h"

namespace zelta::conversion {

errors::ResultCode openCodeplug(const std::filesystem::path& file,
                                const storage::CodeplugSession& session,
                                ConverterState& converter) {
  const errors::ResultCode read = storage::CodeplugFiles(session).readCodeplugFile(file);
  if (read != errors::code::Ok) return read;
  resetConverterAfterLoad(converter);
  session.image.armSnapshot();
  return read;
}

errors::ResultCode saveCodeplug(const std::filesystem::path& file,
                                const storage::CodeplugSession& session,
                                const ConverterState& converter,
                                const storage::SaveContext& context) {
  storage::CodeplugFiles files(session);
  if (!converter.targetSet()) return files.writeCodeplugFile(file, context);

  if (models::modelIn(session.image.modelCode(), models::ModelGroup::backupAllowed)) {
    const errors::ResultCode backedUp = files.writeBackupBeforeWrite(context);
    if (backedUp != errors::code::Ok) return backedUp;
  }
  if (convertForTarget(converter, session, context) != errors::code::Ok) {
    session.reporter.ReportCode(errors::code::InvalidConverterBase);
    return errors::code::InvalidConverterBase;
  }
  return files.writeImageFile(file);
}

}  // namespace zelta::conversion
