#pragma once

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "fake_codec.h"
#include "recording_reporter.h"
#include "storage/codeplug_files.h"
#include "temp_folder.h"

namespace zelta::testing {

// The process-wide codeplug objects of one test, with a work folder of its
// own and the fake decoders and builders.
struct CodeplugWorkspace {
  TempFolder folder;
  std::unique_ptr<codeplug::CodeplugImage> image = std::make_unique<codeplug::CodeplugImage>();
  codeplug::SettingsRecord settings;
  storage::WorkFiles work{folder.path() / "work", {}};
  RecordingReporter reporter;
  FakeCodec codec;

  CodeplugWorkspace() { std::filesystem::create_directory(work.folder); }
  storage::CodeplugSession session() { return {*image, settings, work, reporter, codec}; }
  storage::CodeplugFiles files() { return storage::CodeplugFiles(session()); }

  std::filesystem::path file(const std::string& name, const std::string& text) {
    const auto path = folder / name;
    writeFile(path, text);
    return path;
  }
  // Puts bytes at the start of the image and makes model current, as a
  // read or load leaves them; the settings pass the band check.
  void load(const std::vector<std::uint8_t>& bytes, models::ModelCode model) {
    std::copy(bytes.begin(), bytes.end(), image->buffer().begin());
    image->setModel(model);
    inBand();
  }
  // 158.0125 MHz in "VHF B (Low)".
  void inBand() {
    settings.frequency = "158.0125";
    settings.freqBand = 2;
  }
  std::vector<std::uint8_t> buffer() const {
    return {image->buffer().begin(), image->buffer().end()};
  }
  std::string shownText(std::size_t i) const { return reporter.shown.at(i).text; }
};

}  // namespace zelta::testing
