// Packing runs after every prompt edit; it must not touch the heap. This
// file counts every allocation of the test program to show it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "support/recording_reporter.h"
#include "text/default_prompts.h"
#include "text/languages.h"
#include "text/prompt_block.h"

namespace {
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++gAllocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc{};
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace zelta::text {
namespace {

TEST(PromptBlockAllocation, PackingAndCheckingAllocateNothing) {
  PromptSet prompts;
  applyLanguageDefaults(prompts, lang::german, PromptList::list123);
  // Defaults the pager does not hold are replaced by their text while packing.
  prompts[PromptId::deleteAllPrompt] = {PromptText{kDefaultMarker}, true};
  prompts[PromptId::standardAlertPrompt] = {PromptText{kDefaultMarker}, true};
  PromptWorkBuffer buffer;
  testing::RecordingReporter reporter;
  const PromptPacking packing{PromptList::list123, 0x98, lang::german, true};

  const long before = gAllocations.load();
  const int lastByte = packPrompts(prompts, packing, buffer);
  const PromptSizeCheck check = checkPromptSize(prompts, packing, 1200, buffer, reporter, false);
  const long during = gAllocations.load() - before;

  EXPECT_EQ(during, 0);
  EXPECT_TRUE(check.fits);
  EXPECT_EQ(check.lastByte, lastByte);
  EXPECT_EQ(prompts[PromptId::deleteAllPrompt].text, "ALLE NACHR. L\\SCHEN");
}

}  // namespace
}  // namespace zelta::text
