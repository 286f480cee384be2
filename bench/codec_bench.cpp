// Decoding and building run on every read, open, save and program; each
// should cost a small fraction of a millisecond for every model.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "codeplug/builders.h"
#include "codeplug/decoders.h"
#include "codeplug/new_codeplug.h"
#include "models/models.h"

namespace {

using namespace zelta::codeplug;
namespace models = zelta::models;

// An image of the model as a saved file holds it: a new codeplug with two
// codes, or for the models that exist only as old pagers' images, an old
// image on 158.0125 MHz in the old-format window.
std::unique_ptr<CodeplugImage> builtImage(models::ModelCode model) {
  auto image = std::make_unique<CodeplugImage>();
  const auto info = models::findModel(model);
  if (info->family == models::Family::OldFormat && model != '!') {
    image->setModel(model);
    image->oldFormat().setByte(1, model);
    image->oldFormat().setWord24(0x49, 1'580'125);
    return image;
  }
  SettingsRecord s;
  setUpNewCodeplug(model, *image, s);
  s.code[1] = "0012345";
  BuildContext context;
  context.pagerUnprogrammed = true;
  if (buildImage(*image, s, context) != zelta::errors::code::Ok) std::abort();
  return image;
}

std::string nameOf(models::ModelCode model) {
  char text[8];
  if (model >= 0x21 && model < 0x7F) {
    std::snprintf(text, sizeof text, "'%c'", static_cast<char>(model));
  } else {
    std::snprintf(text, sizeof text, "0x%02X", model);
  }
  return text;
}

void decode(benchmark::State& state, models::ModelCode model) {
  auto image = builtImage(model);
  SettingsRecord s;
  for (auto _ : state) {
    benchmark::DoNotOptimize(decodeImage(DecodeCommand::OpenFile, *image, s, {}));
    benchmark::ClobberMemory();
  }
}

void build(benchmark::State& state, models::ModelCode model) {
  auto image = builtImage(model);
  SettingsRecord s;
  decodeImage(DecodeCommand::OpenFile, *image, s, {});
  for (auto _ : state) {
    benchmark::DoNotOptimize(buildImage(*image, s, {}));
    benchmark::ClobberMemory();
  }
}

void decodeThenBuild(benchmark::State& state, models::ModelCode model) {
  auto image = builtImage(model);
  SettingsRecord s;
  for (auto _ : state) {
    decodeImage(DecodeCommand::OpenFile, *image, s, {});
    benchmark::DoNotOptimize(buildImage(*image, s, {}));
    benchmark::ClobberMemory();
  }
}

const bool registered = [] {
  for (const models::ModelInfo& info : models::kModels) {
    const models::ModelCode model = info.code;
    const std::string name = nameOf(model);
    benchmark::RegisterBenchmark(("decode/" + name).c_str(), decode, model);
    benchmark::RegisterBenchmark(("build/" + name).c_str(), build, model);
    benchmark::RegisterBenchmark(("decodeThenBuild/" + name).c_str(), decodeThenBuild, model);
  }
  return true;
}();

}  // namespace
