// Packing runs after every prompt edit and page change; it should stay far
// below what a user could notice even for the longest list.
#include <benchmark/benchmark.h>

#include "text/default_prompts.h"
#include "text/languages.h"
#include "text/prompt_block.h"

namespace {

using namespace zelta::text;

void packDefaults(benchmark::State& state, PromptList list, zelta::models::ModelCode model) {
  PromptSet prompts;
  applyLanguageDefaults(prompts, lang::german, list);
  PromptWorkBuffer buffer;
  const PromptPacking packing{list, model, lang::german, true};
  for (auto _ : state) {
    benchmark::DoNotOptimize(packPrompts(prompts, packing, buffer));
    benchmark::ClobberMemory();
  }
}

void unpackDefaults(benchmark::State& state, PromptList list, zelta::models::ModelCode model) {
  PromptSet prompts;
  applyLanguageDefaults(prompts, lang::german, list);
  PromptWorkBuffer buffer;
  packPrompts(prompts, {list, model, lang::german, true}, buffer);
  PromptSet read;
  for (auto _ : state) {
    unpackPrompts(buffer, read, list, true);
    benchmark::DoNotOptimize(read);
  }
}

BENCHMARK_CAPTURE(packDefaults, list48, PromptList::list48, '1');
BENCHMARK_CAPTURE(packDefaults, list123, PromptList::list123, 0x98);
BENCHMARK_CAPTURE(unpackDefaults, list123, PromptList::list123, 0x98);

}  // namespace
