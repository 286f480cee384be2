#include "production/fixture_station.h"

#include <sstream>

#include "codeplug/codec.h"
#include "codeplug/data_process.h"
#include "production/allocation_plan.h"
#include "storage/atomic_file.h"

namespace zelta::production {

FixtureStation::FixtureStation(std::string port, std::unique_ptr<link::SerialDevice> device,
                               link::Clock& clock)
    : port_(std::move(port)),
      device_(std::move(device)),
      comm_(*device_, reporter_, clock),
      link_(comm_, reporter_),
      image_(std::make_unique<codeplug::CodeplugImage>()),
      session_{*image_, settings_, work_, reporter_, codeplug::standardCodec()},
      operations_(link_, session_, converter_, dialogs_, operationSettings_) {
  comm_.SetPortName(port_);
  link_.setImageBuffers(link::imageBuffersOf(*image_));
}

errors::OperationOutcome FixtureStation::program(const codeplug::CodeplugImage& templateImage,
                                                 const codeplug::SettingsRecord& templateSettings,
                                                 const CodeSet& set) {
  *image_ = templateImage;
  settings_ = templateSettings;
  AllocationPlan::applyTo(set, settings_);
  operationSettings_.sourceModel = templateImage.modelCode();
  operationSettings_.requiredModel = templateImage.modelCode();
  // A run writes every pager's image into its own folder instead.
  operationSettings_.backupBeforeProgramming = false;
  link_.setImageBuffers(link::imageBuffersOf(*image_));
  return operations_.RunPagerOperation(operations::OperationKind::Program);
}

bool FixtureStation::saveImage(const std::filesystem::path& path) {
  std::ostringstream out;
  codeplug::DataProcess(*image_, settings_).writeSRecordImage(out);
  return storage::writeFileAtomically(path, out.str());
}

}  // namespace zelta::production
