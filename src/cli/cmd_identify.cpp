#include <CLI/CLI.hpp>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/cli_app.h"
#include "cli/cli_link.h"
#include "link/wire.h"
#include "models/models.h"

namespace zelta::cli {
namespace {

struct StatusText {
  char letter;
  const char* meaning;
};

constexpr StatusText kStatusTexts[] = {
    {'Y', "password required"}, {'N', "no password"},    {'O', "no password"},
    {'U', "unprogrammed"},      {'B', "bad pager data"}, {'D', "download disabled"},
};

std::string statusMeaning(char letter) {
  for (const StatusText& s : kStatusTexts) {
    if (s.letter == letter) return s.meaning;
  }
  return "unknown";
}

std::string familyOf(models::ModelCode model) {
  const auto info = models::findModel(model);
  return info ? std::string(models::familyName(info->family)) : "unknown";
}

}  // namespace

// identify --port DEV: the model, firmware, serial number and status of the
// pager on the fixture. Sends no password, so no attempt is spent.
void addIdentifyCommand(CLI::App& app, CliRun& run) {
  struct Options {
    LinkOptions link;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "identify",
      "Wake the pager on the fixture and show its model, firmware, serial number "
      "and status");
  addLinkOptions(*sub, options->link);
  sub->add_flag("--json", options->json, "Print the identification as JSON");
  sub->callback([&run, options] {
    run.action = [&run, options]() -> int {
      LinkSession session(run, options->link);
      if (!session.ready()) return kExitFailed;
      link::Identification id;
      const errors::ResultCode result = session.link().identify(id);
      if (session.stoppedBy() != 0) return session.reportStopped("nothing was sent to the pager.");
      if (result != errors::code::Ok) return reportLinkFailure(run, result);

      const auto info = models::findModel(id.model);
      const std::string letter(1, id.status);
      if (options->json) {
        nlohmann::json j{{"port", options->link.port},
                         {"model", id.model},
                         {"family", familyOf(id.model)},
                         {"imageBytes", info ? info->imageBytes : 0},
                         {"firmware", id.firmware.text},
                         {"firmwareMajor", id.firmware.major},
                         {"firmwareMinor", id.firmware.minor},
                         {"serialNumber", id.serialNumber},
                         {"status", letter},
                         {"statusMeaning", statusMeaning(id.status)},
                         {"latency", link::describeLatency(session.latency())}};
        run.io.out << j.dump(2) << '\n';
        return kExitOk;
      }
      char version[16];
      std::snprintf(version, sizeof version, "%d.%02d", id.firmware.major, id.firmware.minor);
      run.io.out << "Model:         " << link::modelLabel(id.model) << ", family "
                 << familyOf(id.model) << '\n'
                 << "Firmware:      \"" << id.firmware.text << "\" (" << version << ")\n"
                 << "Serial number: " << id.serialNumber << '\n'
                 << "Status:        " << letter << " (" << statusMeaning(id.status) << ")\n"
                 << "Port latency:  " << link::describeLatency(session.latency()) << '\n';
      return kExitOk;
    };
  });
}

}  // namespace zelta::cli
