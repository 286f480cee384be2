// zelta-pager-sim: a pager on its programming fixture, behind a
// pseudo-terminal. Prints the terminal's path, then answers the link
// protocol until interrupted.

#include <signal.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>

#include "codeplug/codeplug_image.h"
#include "codeplug/data_process.h"
#include "fixture_line.h"
#include "link/simulator_advert.h"
#include "pager_simulator.h"
#include "storage/atomic_file.h"
#include "storage/file_access.h"
#include "version.h"

namespace {

using zelta::codeplug::CodeplugImage;
using zelta::models::ModelCode;
using zelta::pagersim::FixtureLine;
using zelta::pagersim::PagerSimulator;
using zelta::pagersim::SimulatorOptions;

volatile std::sig_atomic_t gStop = 0;

void onSignal(int) {
  gStop = 1;
}

bool parseFault(const std::string& text, SimulatorOptions& options, std::string& error) {
  const std::size_t colon = text.find(':');
  const std::string name = text.substr(0, colon);
  int count = zelta::pagersim::Fault::kAlways;
  if (colon != std::string::npos && name != "swap-model") {
    count = std::atoi(text.c_str() + colon + 1);
    if (count <= 0) {
      error = "fault count must be a positive number: " + text;
      return false;
    }
  }
  auto& f = options.faults;
  if (name == "silent") {
    f.silent = true;
  } else if (name == "no-echo") {
    f.noEcho = true;
  } else if (name == "bad-checksum") {
    f.badChecksum.remaining = count;
  } else if (name == "nak") {
    f.nak.remaining = count;
  } else if (name == "garbage") {
    f.garbage.remaining = count;
  } else if (name == "exit-mid-block") {
    f.exitMidBlock = true;
  } else if (name == "exit-mid-write") {
    f.exitMidWrite = true;
  } else if (name == "swap-model") {
    if (colon == std::string::npos ||
        !zelta::pagersim::parseModel(text.substr(colon + 1), f.swapModel)) {
      error = "swap-model needs a model: swap-model:0x91";
      return false;
    }
  } else {
    error = "unknown fault: " + name;
    return false;
  }
  return true;
}

// The image file whole; a device, a FIFO or a file far larger than any
// codeplug is refused before it is read. The reason of a failure, or empty.
std::string readFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  const zelta::storage::FileContent content = zelta::storage::readCodeplugFileContent(path);
  if (content.error) return content.error.message();
  bytes.assign(content.bytes.begin(), content.bytes.end());
  return {};
}

bool isCodeplugFile(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= 2 && bytes[0] == 'S' && bytes[1] == '0';
}

// The image bytes of a codeplug file, and its model; false when the file is
// not a valid codeplug.
bool readCodeplugFile(const std::vector<std::uint8_t>& bytes, std::vector<std::uint8_t>& image,
                      ModelCode& model, zelta::codeplug::CodeplugHeader& header) {
  auto codeplug = std::make_unique<CodeplugImage>();
  zelta::codeplug::SettingsRecord settings;
  zelta::codeplug::DataProcess process(*codeplug, settings);
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  model = process.parseSRecordImage(in);
  if (model == 0) return false;
  header = codeplug->header();
  // Old-format files go to the old-format window.
  const bool oldFormat = codeplug->current().byte(1) != model;
  const auto region = oldFormat ? codeplug->oldFormat().span()
                                : codeplug->current().span().first(static_cast<std::size_t>(
                                      zelta::codeplug::fileImageBytes(model)));
  image.assign(region.begin(), region.end());
  return true;
}

// Readers never see half an image; only a regular file or a new name is
// written.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  return zelta::storage::writeFileAtomically(
      path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// A received image as a codeplug file (S-records) when the name ends in
// ".cp", else as raw bytes.
bool saveImage(const std::string& path, const std::vector<std::uint8_t>& image, ModelCode model,
               const zelta::codeplug::CodeplugHeader& header) {
  if (!path.ends_with(".cp")) return writeFile(path, image);
  auto codeplug = std::make_unique<CodeplugImage>();
  zelta::codeplug::SettingsRecord settings;
  const auto current = codeplug->current().span();
  std::copy_n(image.begin(), std::min(image.size(), current.size()), current.begin());
  codeplug->setModel(model);
  codeplug->header() = header;
  codeplug->header().modelByte = model;
  std::ostringstream out;
  zelta::codeplug::DataProcess(*codeplug, settings).writeSRecordImage(out);
  const std::string text = out.str();
  return writeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "A pager on its programming fixture, behind a pseudo-terminal. Prints the "
      "terminal's path and serves the link protocol until interrupted.",
      "zelta-pager-sim"};
  app.set_version_flag("--version", std::string(zelta::kProgramVersion),
                       "Print the program version and exit");
  SimulatorOptions options;
  std::string model;
  std::string imagePath;
  std::string savePath;
  std::vector<std::string> faults;
  std::string status = "N";
  std::string ramPattern = "A";
  int keyCode = 0;
  int byteDelayUs = 0;
  bool realBaud = false;
  bool noAdvertise = false;
  bool verbose = false;
  app.add_option(
      "--model", model,
      "Model code: 0x98, 152 or a character such as q (default: the image's, else 0x91)");
  app.add_option("--image", imagePath, "The pager's codeplug: a .cp file or a raw binary image");
  app.add_option("--firmware", options.firmware, "Firmware text, six characters (e.g. \" R0803\")");
  app.add_option("--serial", options.serial, "Serial number, up to ten characters");
  app.add_option("--status", status,
                 "Status letter: N, O, U (unprogrammed), B, D, or Y "
                 "(password required: checked against image bytes 0x53-0x5C)")
      ->capture_default_str();
  app.add_option(
      "--password", options.password,
      "Download password the pager asks for (stored scrambled at 0x53; implies status Y)");
  app.add_option("--attempts", options.attempts, "Password attempts before the pager locks")
      ->capture_default_str();
  app.add_option("--key", keyCode, "Key code the key test reports (0x10 left ...)");
  app.add_option("--ram-pattern", ramPattern, "Character the RAM pattern test reports");
  app.add_option("--fault", faults,
                 "Fault to inject, NAME or NAME:COUNT: silent, no-echo, bad-checksum, nak, "
                 "garbage, exit-mid-block, exit-mid-write, swap-model:MODEL (another pager after "
                 "the first wake-up)");
  app.add_option("--byte-delay-us", byteDelayUs, "Delay before every byte sent");
  app.add_flag("--real-baud", realBaud, "Pace bytes as the line's baud rate would");
  app.add_option("--save-image", savePath,
                 "Write every image received to this file (S-records when it ends in .cp); "
                 "{serial} in the name stands for the pager's serial number");
  std::string script;
  app.add_option("--script", script,
                 "Pagers put into the fixture one after another, by serial number: "
                 "SN1,SN2,... Each is taken out --remove-after-ms after its clock was set (or "
                 "its write refused), the next goes in --insert-gap-ms later");
  app.add_option("--insert-gap-ms", options.insertGapMs,
                 "With --script: time the fixture stays empty between two pagers")
      ->capture_default_str();
  app.add_option("--remove-after-ms", options.removeAfterMs,
                 "With --script: time a pager stays in after its clock or a refused write")
      ->capture_default_str();
  app.add_flag("--no-advertise", noAdvertise, "Do not offer the terminal in port lists");
  app.add_flag("-v,--verbose", verbose, "Report every exchange on standard error");
  CLI11_PARSE(app, argc, argv);

  zelta::codeplug::CodeplugHeader header;
  bool modelFromImage = false;
  if (!imagePath.empty()) {
    std::vector<std::uint8_t> bytes;
    if (const std::string problem = readFile(imagePath, bytes); !problem.empty()) {
      std::cerr << "zelta-pager-sim: cannot read " << imagePath << ": " << problem << '\n';
      return 2;
    }
    if (isCodeplugFile(bytes)) {
      if (!readCodeplugFile(bytes, options.image, options.model, header)) {
        std::cerr << "zelta-pager-sim: " << imagePath << " is not a valid codeplug file\n";
        return 2;
      }
      modelFromImage = true;
    } else {
      options.image = std::move(bytes);
    }
  }
  if (!model.empty() || !modelFromImage) {
    if (model.empty()) model = "0x91";
    if (!zelta::pagersim::parseModel(model, options.model)) {
      std::cerr << "zelta-pager-sim: \"" << model << "\" is not a pager model\n";
      return 2;
    }
  }
  if (status.size() != 1 || std::string("NOUBDY").find(status[0]) == std::string::npos) {
    std::cerr << "zelta-pager-sim: status must be one of N O U B D Y\n";
    return 2;
  }
  options.status = status[0];
  for (std::size_t start = 0; start < script.size();) {
    const std::size_t comma = std::min(script.find(',', start), script.size());
    if (comma > start) options.script.push_back(script.substr(start, comma - start));
    start = comma + 1;
  }
  options.keyCode = static_cast<std::uint8_t>(keyCode);
  options.ramPattern = static_cast<std::uint8_t>(ramPattern.empty() ? 'A' : ramPattern[0]);
  for (const std::string& f : faults) {
    std::string error;
    if (!parseFault(f, options, error)) {
      std::cerr << "zelta-pager-sim: " << error << '\n';
      return 2;
    }
  }

  FixtureLine line;
  if (!line.open()) {
    std::cerr << "zelta-pager-sim: cannot open a pseudo-terminal: " << std::strerror(errno) << '\n';
    return 1;
  }

  PagerSimulator sim(std::move(options));
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);

  std::filesystem::path advertFile;
  if (!noAdvertise) {
    advertFile =
        zelta::link::writeSimulatorAdvert({line.path(), sim.model(), static_cast<long>(getpid())});
  }
  std::cout << line.path() << std::endl;

  const auto nowMs = [] { return FixtureLine::nowNs() / 1'000'000; };
  int imagesSaved = 0;
  int exitStatus = 0;
  while (gStop == 0) {
    const FixtureLine::Exchange x = line.exchange(50);
    if (x.failed) break;
    if (x.portClosed) sim.portClosed();
    if (x.portClosed && verbose) {
      std::cerr << "port closed by the PC\n";
      if (x.dropped != 0) std::cerr << x.dropped << " bytes not sent\n";
    }
    for (std::uint8_t byte : x.received) {
      const std::vector<std::uint8_t> out = sim.receive(byte, nowMs());
      // Ten bits a byte: start, eight data bits, stop.
      std::int64_t byteTimeNs = std::int64_t{byteDelayUs} * 1000;
      if (realBaud) byteTimeNs += 10'000'000'000 / static_cast<std::int64_t>(sim.lineBaud());
      line.send(out, byteTimeNs);
    }
    for (const std::string& e : sim.takeEvents()) {
      if (verbose) std::cerr << e << '\n';
    }

    sim.tick(nowMs());
    if (!savePath.empty() && sim.imagesWritten() != imagesSaved) {
      imagesSaved = sim.imagesWritten();
      std::string path = savePath;
      if (const std::size_t at = path.find("{serial}"); at != std::string::npos) {
        std::string serial = sim.serialNumber();
        while (!serial.empty() && serial.back() == ' ') serial.pop_back();
        path.replace(at, 8, serial);
      }
      if (!saveImage(path, sim.image(), sim.model(), header)) {
        std::cerr << "zelta-pager-sim: cannot write " << savePath << '\n';
      }
    }
    if (sim.wantsExit()) {
      line.drain();
      exitStatus = 3;
      break;
    }
  }

  if (!advertFile.empty()) std::filesystem::remove(advertFile);
  return exitStatus;
}
