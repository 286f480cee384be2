#pragma once

#include <chrono>
#include <filesystem>
#include <stop_token>

#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "production/allocation_journal.h"
#include "production/fixture_station.h"
#include "production/production_observer.h"

namespace zelta::production {

// What a fixture's loop shares with the run: read-only but for the journal
// (which locks itself) and the observer (which serialises itself).
struct FixtureRunContext {
  const codeplug::CodeplugImage& templateImage;
  const codeplug::SettingsRecord& templateSettings;
  AllocationJournal& journal;
  ProductionObserver& observer;
  std::filesystem::path runFolder;
  std::chrono::milliseconds probeInterval;
};

// One fixture, hands free: it looks for a pager about once a second; a
// pager that answers is checked against the template's model, given a set
// and programmed; then the fixture waits until the pager has been taken out
// before it takes the next. Ends when the plan has nothing left or stop is
// requested.
void runFixtureLoop(int index, FixtureStation& station, const FixtureRunContext& context,
                    std::stop_token stop);

// "SN00000001_ICN0000001.cp": the saved image's name, with anything but
// letters, digits, '-' and '_' made '_'.
std::string imageFileName(const std::string& serialNumber, const std::string& icn);

}  // namespace zelta::production
