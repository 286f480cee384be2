// Decoding and building run on every read, open, save and program; each
// should cost a small fraction of a millisecond for every model.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "codeplug/builders.h"
#include "codeplug/decoders.h"
#include "codeplug/defaults.h"
#include "codeplug/frequency_band.h"

namespace {

using namespace zelta::codeplug;

constexpr ModelCode kModels[] = {'!', '0', '1', '2', '6', ':', 'p', 't', 'x', 'q', 'u'};

// The model's defaults on their frequency's band, with two codes.
SettingsRecord startingSettings(CodeplugImage& image) {
  SettingsRecord s;
  resetToDefaults(s, image, false);
  s.freqBand = bandOfFrequency(158'012'500);
  s.code[1] = "0012345";
  return s;
}

// An image of the model as a saved file holds it.
std::unique_ptr<CodeplugImage> builtImage(ModelCode model) {
  auto image = std::make_unique<CodeplugImage>();
  image->setModel(model);
  SettingsRecord s = startingSettings(*image);
  BuildContext context;
  context.pagerUnprogrammed = true;
  if (buildImage(*image, s, context) != zelta::errors::code::Ok) std::abort();
  return image;
}

void decode(benchmark::State& state, ModelCode model) {
  auto image = builtImage(model);
  SettingsRecord s;
  for (auto _ : state) {
    benchmark::DoNotOptimize(decodeImage(DecodeCommand::OpenFile, *image, s, {}));
    benchmark::ClobberMemory();
  }
}

void build(benchmark::State& state, ModelCode model) {
  auto image = builtImage(model);
  SettingsRecord s;
  decodeImage(DecodeCommand::OpenFile, *image, s, {});
  for (auto _ : state) {
    benchmark::DoNotOptimize(buildImage(*image, s, {}));
    benchmark::ClobberMemory();
  }
}

void decodeThenBuild(benchmark::State& state, ModelCode model) {
  auto image = builtImage(model);
  SettingsRecord s;
  for (auto _ : state) {
    decodeImage(DecodeCommand::OpenFile, *image, s, {});
    benchmark::DoNotOptimize(buildImage(*image, s, {}));
    benchmark::ClobberMemory();
  }
}

const bool registered = [] {
  for (ModelCode model : kModels) {
    const std::string name = std::string("'") + static_cast<char>(model) + "'";
    benchmark::RegisterBenchmark(("decode/" + name).c_str(), decode, model);
    benchmark::RegisterBenchmark(("build/" + name).c_str(), build, model);
    benchmark::RegisterBenchmark(("decodeThenBuild/" + name).c_str(), decodeThenBuild, model);
  }
  return true;
}();

}  // namespace
