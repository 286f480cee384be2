#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_app.h"
#include "cli/codeplug_files.h"
#include "cli_run.h"
#include "codeplug/data_process.h"
#include "core/codeplug/srecord_fixture.h"
#include "support/fake_codec.h"
#include "support/temp_folder.h"

namespace zelta::cli {
namespace {

using codeplug::testing::headerRecord;
using codeplug::testing::patternImage;
using codeplug::testing::srecFile;
using models::ModelCode;
using ::testing::HasSubstr;
using zelta::testing::FakeCodec;
using zelta::testing::TempFolder;
using zelta::testing::writeFile;

std::vector<std::uint8_t> image(std::size_t size, ModelCode model, const std::string& icn) {
  auto bytes = patternImage(size, model);
  std::copy(icn.begin(), icn.end(), bytes.begin() + 0x67);
  return bytes;
}

std::string cpFile(const TempFolder& folder, const std::string& name,
                   const std::vector<std::uint8_t>& bytes) {
  const auto path = folder / name;
  writeFile(path, srecFile(bytes, 0, "\r\n", headerRecord(0, 32, bytes[1])));
  return path.string();
}

template <class Run>
testing::CliResult capture(Run&& body) {
  std::ostringstream out;
  std::ostringstream err;
  std::istringstream in;
  CliIo io{out, err, in};
  CliRun run(io);
  const int status = body(run);
  return {status, out.str(), err.str()};
}

struct Converted {
  testing::CliResult result;
  std::unique_ptr<codeplug::CodeplugImage> image = std::make_unique<codeplug::CodeplugImage>();
  ModelCode model = 0;
};

Converted convert(const std::string& in, const std::string& target, const std::string& out) {
  FakeCodec codec;  // decodes 158.0125 MHz in band 2
  Converted c;
  c.result = capture([&](CliRun& run) { return runConvert(in, target, out, codec, run); });
  std::ifstream file(out, std::ios::binary);
  codeplug::SettingsRecord settings;
  if (file) c.model = codeplug::DataProcess(*c.image, settings).parseSRecordImage(file);
  return c;
}

TEST(CliConvert, LargeCodeplugForEachTarget) {
  TempFolder t;
  const std::string source = cpFile(t, "q.cp", image(2048, 'q', "CONVERT001"));
  const Converted lumio = convert(source, "lumio", (t / "lumio.cp").string());
  EXPECT_EQ(lumio.result.status, kExitOk) << lumio.result.err;
  EXPECT_THAT(lumio.result.out, HasSubstr("(model 0x91, Zelta Lumio)"));
  ASSERT_EQ(lumio.model, 0x91);
  EXPECT_EQ(lumio.image->current().bits(0x3C, 7, 6), 2U);
  EXPECT_EQ(lumio.image->current().byte(7), '4');

  const Converted varda = convert(source, "varda", (t / "varda.cp").string());
  EXPECT_EQ(varda.result.status, kExitOk);
  ASSERT_EQ(varda.model, 0x91);
  EXPECT_EQ(varda.image->current().bits(0x3C, 7, 6), 3U);
  EXPECT_EQ(varda.image->current().byte(7), '6');
}

TEST(CliConvert, OneKbCodeplugConverts) {
  TempFolder t;
  const Converted c =
      convert(cpFile(t, "one.cp", image(1024, '1', "ONEKB00001")), "lumio", (t / "d.cp").string());
  EXPECT_EQ(c.result.status, kExitOk) << c.result.err;
  EXPECT_EQ(c.model, 0x91);
  EXPECT_THAT(c.result.out, HasSubstr("(model 0x31 '1')"));
}

TEST(CliConvert, WhatCannotBeConvertedWritesNothing) {
  TempFolder t;
  const std::string out = (t / "out.cp").string();
  const Converted d = convert(cpFile(t, "d.cp", image(2048, 0x93, "FAMILYE001")), "varda", out);
  EXPECT_EQ(d.result.status, kExitFailed);
  EXPECT_THAT(d.result.err, HasSubstr("error -119: ERROR: Invalid Remodulator base file."));
  EXPECT_FALSE(std::filesystem::exists(out));

  const Converted missing = convert((t / "absent.cp").string(), "lumio", out);
  EXPECT_EQ(missing.result.status, kExitFailed);
  EXPECT_THAT(missing.result.err, HasSubstr("cannot open"));

  writeFile(t / "bad.cp", "S1130000\r\n");
  const Converted bad = convert((t / "bad.cp").string(), "lumio", out);
  EXPECT_EQ(bad.result.status, kExitFailed);
  EXPECT_THAT(bad.result.err, HasSubstr("error -30"));
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(CliConvert, TargetMustBeLumioOrVarda) {
  FakeCodec codec;  // decodes 158.0125 MHz in band 2
  std::ostringstream out, err;
  std::istringstream in;
  CliIo io{out, err, in};
  CliRun run(io);
  CLI::App app;
  addConvertCommand(app, run, codec);
  EXPECT_THROW(
      app.parse(std::vector<std::string>{"x.cp", "-o", "y.cp", "--target", "kestra", "convert"}),
      CLI::ValidationError);
}

testing::CliResult diff(const std::string& a, const std::string& b, bool json = false) {
  FakeCodec codec;
  return capture([&](CliRun& run) { return runDiff(a, b, json, codec, run); });
}

TEST(CliDiff, EqualFiles) {
  TempFolder t;
  const auto bytes = image(1024, '1', "SAME000001");
  const testing::CliResult r = diff(cpFile(t, "a.cp", bytes), cpFile(t, "b.cp", bytes));
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_THAT(r.out, HasSubstr("are equal"));
}

// The inventory number differs as a setting; its bytes are not listed again.
// A byte no setting reaches is listed by offset.
TEST(CliDiff, SettingsThenBytesOutsideAnySetting) {
  TempFolder t;
  auto a = image(1024, '1', "FIRST00001");
  auto b = image(1024, '1', "OTHER00002");
  b[0x200] = static_cast<std::uint8_t>(a[0x200] ^ 0xFF);
  const std::string pa = cpFile(t, "a.cp", a);
  const std::string pb = cpFile(t, "b.cp", b);

  const testing::CliResult r = diff(pa, pb);
  EXPECT_EQ(r.status, kExitFailed);
  EXPECT_THAT(r.out, HasSubstr("1 settings differ"));
  EXPECT_THAT(r.out, HasSubstr("ed_ICN  \"FIRST00001\"  \"OTHER00002\""));
  EXPECT_THAT(r.out, HasSubstr("1 image bytes differ outside any setting"));
  char line[32];
  std::snprintf(line, sizeof line, "0x0200  0x%02X  0x%02X", a[0x200], b[0x200]);
  EXPECT_THAT(r.out, HasSubstr(line));

  const testing::CliResult j = diff(pa, pb, true);
  EXPECT_EQ(j.status, kExitFailed);
  const auto doc = nlohmann::json::parse(j.out);
  EXPECT_EQ(doc["equal"], false);
  ASSERT_EQ(doc["settings"].size(), 1U);
  EXPECT_EQ(doc["settings"][0]["control"], "ed_ICN");
  EXPECT_EQ(doc["settings"][0]["a"], "FIRST00001");
  ASSERT_EQ(doc["bytes"].size(), 1U);
  EXPECT_EQ(doc["bytes"][0]["offset"], 0x200);
  EXPECT_EQ(doc["bytes"][0]["offsetHex"], "0x0200");
  EXPECT_EQ(doc["bytes"][0]["b"], b[0x200]);
}

TEST(CliDiff, UnreadableFileIsTrouble) {
  TempFolder t;
  const std::string a = cpFile(t, "a.cp", image(1024, '1', "SAME000001"));
  const testing::CliResult r = diff(a, (t / "absent.cp").string());
  EXPECT_EQ(r.status, kExitUsage);
  EXPECT_THAT(r.err, HasSubstr("cannot open"));
}

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

// Each failure is said once, with the file it is about.
TEST(CliConvertDiff, EachErrorIsPrintedOnce) {
  TempFolder t;
  writeFile(t / "bad.cp", "S1130000\r\n");
  const std::string bad = (t / "bad.cp").string();
  const std::string good = cpFile(t, "a.cp", image(1024, '1', "SAME000001"));

  const Converted converted = convert(bad, "lumio", (t / "out.cp").string());
  EXPECT_EQ(occurrences(converted.result.err, "Invalid archive file."), 1U) << converted.result.err;
  EXPECT_THAT(converted.result.err, HasSubstr(bad));
  const Converted base =
      convert(cpFile(t, "d.cp", image(2048, 0x93, "FAMILYE001")), "varda", (t / "out.cp").string());
  EXPECT_EQ(occurrences(base.result.err, "Invalid Remodulator base file."), 1U) << base.result.err;

  for (const auto& [a, b] : {std::pair{bad, good}, std::pair{good, bad}}) {
    const testing::CliResult r = diff(a, b);
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_EQ(occurrences(r.err, "Invalid archive file."), 1U) << r.err;
    EXPECT_EQ(r.err.rfind("diff: " + bad + ": error -30: ERROR: Invalid archive file. ", 0), 0U)
        << r.err;
  }
}

// The pleasing-alert melody is compared; a different serial number is one
// setting, not ten bytes besides.
TEST(CliConvertDiff, MelodyIsComparedAndTheSerialNumberListedOnce) {
  TempFolder t;
  const std::string a = (t / "a.cp").string();
  ASSERT_EQ(testing::runArgs({"new", "--model", "p", "-o", a}).status, kExitOk);
  OpenedCodeplug opened = loadCodeplugFile(a, codeplug::standardCodec());
  ASSERT_TRUE(opened.codeplug) << opened.failure;
  opened.codeplug->settings.melody[3] = 0xE0;  // step 4 a rest
  opened.codeplug->settings.serialNumber = "SN77      ";
  const std::string b = (t / "b.cp").string();
  ASSERT_EQ(
      capture([&](CliRun& run) { return saveCodeplugFile(*opened.codeplug, b, true, run); }).status,
      kExitOk);

  const testing::CliResult r = testing::runArgs({"diff", a, b});
  EXPECT_EQ(r.status, kExitFailed);
  // A melody of its own makes the pleasing alert "Custom".
  EXPECT_THAT(r.out, HasSubstr("3 settings differ"));
  EXPECT_THAT(r.out, HasSubstr("  cb_programmablePleasingAlert  0  1\n"));
  EXPECT_THAT(r.out, HasSubstr("  ed_serialNumber  \"\"  \"SN77      \"\n"));
  EXPECT_THAT(r.out, HasSubstr("  melody  \"E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9\"  "
                               "\"E9 E9 E9 E0 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9\"\n"));
  EXPECT_THAT(r.out, ::testing::Not(HasSubstr("image bytes differ"))) << r.out;

  const auto doc = nlohmann::json::parse(testing::runArgs({"diff", a, b, "--json"}).out);
  ASSERT_EQ(doc["settings"].size(), 3U);
  EXPECT_EQ(doc["settings"][2]["control"], "melody");
  EXPECT_TRUE(doc["bytes"].empty());

  // show names the melody too, as stored and as it sounds.
  const testing::CliResult shown = testing::runArgs({"show", b});
  EXPECT_THAT(shown.out, HasSubstr("melody = \"E9 E9 E9 E0 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 "
                                   "E9\" (1300 Hz x3, OFF x1, 1300 Hz x12)\n"));
  const auto json = nlohmann::json::parse(testing::runArgs({"show", b, "--json"}).out);
  EXPECT_EQ(json["melody"], "E9 E9 E9 E0 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9");
}

// The commands as a user runs them, with the program's own decoders.
TEST(CliConvertDiff, EndToEndOnSavedAndEditedFiles) {
  TempFolder t;
  const std::string a = (t / "a.cp").string();
  const testing::CliResult made = testing::runArgs({"new", "--model", "1", "-o", a});
  ASSERT_EQ(made.status, kExitOk) << made.err;
  const std::string b = (t / "b.cp").string();
  const testing::CliResult edited =
      testing::runArgs({"edit", a, "--set", "ed_code02=0000008", "-o", b});
  ASSERT_EQ(edited.status, kExitOk) << edited.err;

  const testing::CliResult same = testing::runArgs({"diff", a, a});
  EXPECT_EQ(same.status, kExitOk) << same.out << same.err;
  const testing::CliResult differ = testing::runArgs({"diff", a, b, "--json"});
  EXPECT_EQ(differ.status, kExitFailed) << differ.err;
  const auto doc = nlohmann::json::parse(differ.out);
  bool code2 = false;
  for (const auto& s : doc["settings"]) code2 = code2 || s["control"] == "ed_code02";
  EXPECT_TRUE(code2) << differ.out;
  EXPECT_TRUE(doc["bytesOutsideSettings"]);

  const std::string d = (t / "d.cp").string();
  const testing::CliResult converted =
      testing::runArgs({"convert", b, "--target", "varda", "-o", d});
  ASSERT_EQ(converted.status, kExitOk) << converted.err;
  const testing::CliResult shown = testing::runArgs({"show", d, "--json"});
  ASSERT_EQ(shown.status, kExitOk) << shown.err;
  EXPECT_THAT(shown.out, HasSubstr("\"ed_code02\": \"8\""));  // the wide form has no leading zeros
  const testing::CliResult info = testing::runArgs({"info", d});
  EXPECT_THAT(info.out, HasSubstr("0x91"));

  const testing::CliResult again =
      testing::runArgs({"convert", d, "--target", "lumio", "-o", (t / "e.cp").string()});
  EXPECT_EQ(again.status, kExitFailed);
  EXPECT_THAT(again.err, HasSubstr("error -119"));
  EXPECT_FALSE(std::filesystem::exists(t / "e.cp"));
}

}  // namespace
}  // namespace zelta::cli
