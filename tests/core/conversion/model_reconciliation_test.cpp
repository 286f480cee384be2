#include "conversion/model_reconciliation.h"

#include <gtest/gtest.h>

#include "codeplug_workspace.h"
#include "core/codeplug/srecord_fixture.h"

namespace zelta::conversion {
namespace {

using codeplug::testing::patternImage;
using models::ModelCode;
using zelta::testing::CodeplugWorkspace;
namespace code = errors::code;

constexpr const char* kPagerSerial = "PAGER00042";

// A codeplug of one model on screen, programmed into a pager of another:
// the image carries the pager's model and slots, as programming loads them.
struct Programming : CodeplugWorkspace {
  ModelCode codeplugModel;
  codeplug::PagerFacts pager;
  ConverterState converter;
  int informationReads = 0;
  bool informationReadSucceeds = true;

  Programming(ModelCode codeplug, ModelCode pagerModel, bool unprogrammed = false)
      : codeplugModel(codeplug) {
    const auto info = models::findModel(codeplug);
    load(patternImage(info && info->imageBytes == 2048 ? 2048 : 1024, codeplug), codeplug);
    image->setModel(pagerModel);
    pager.model = pagerModel;
    pager.unprogrammed = unprogrammed;
    pager.serialNumber = kPagerSerial;
  }

  Reconciled reconcile() {
    return reconcileModel(codeplugModel, pager, session(), converter, {}, [this] {
      ++informationReads;
      return informationReadSucceeds;
    });
  }
  std::string serialInImage() const { return std::as_const(*image).current().text(0x5D, 10); }
};

TEST(ReconcileModel, SameFamiliesBuildForThePager) {
  struct Case {
    ModelCode codeplug;
    ModelCode pager;
  };
  for (const Case c : {Case{'1', '0'}, Case{':', '6'}, Case{'p', 't'}, Case{'q', 'u'},
                       Case{0x91, 0x96}, Case{0x93, 0x97}, Case{0x98, 0x99}}) {
    SCOPED_TRACE(::testing::Message() << std::hex << int(c.codeplug) << " into " << int(c.pager));
    Programming p(c.codeplug, c.pager);
    EXPECT_EQ(p.reconcile(), Reconciled::Ready);
    EXPECT_EQ(p.codec.builds, std::vector<ModelCode>{c.pager});
    EXPECT_TRUE(p.reporter.asked.empty());
    EXPECT_NE(p.serialInImage(), kPagerSerial);
  }
}

TEST(ReconcileModel, OldFormatIsWrittenAsItIsAndUnknownPairsStop) {
  Programming old(' ', 0x91);
  const auto before = old.buffer();
  EXPECT_EQ(old.reconcile(), Reconciled::Ready);
  EXPECT_EQ(old.buffer(), before);
  EXPECT_TRUE(old.codec.builds.empty());

  Programming mismatch(0x91, 0x93);
  EXPECT_EQ(mismatch.reconcile(), Reconciled::Stopped);
  EXPECT_TRUE(mismatch.codec.builds.empty());
  EXPECT_TRUE(mismatch.reporter.shown.empty());
}

TEST(ReconcileModel, LargeCodeplugIntoOneKbPagerAsksDifferentVersion) {
  Programming no('q', 'p');
  const auto before = no.buffer();
  EXPECT_EQ(no.reconcile(), Reconciled::Stopped);
  ASSERT_EQ(no.reporter.asked.size(), 1U);
  EXPECT_EQ(no.reporter.asked[0].code, code::DifferentVersion);
  EXPECT_EQ(no.buffer(), before);
  EXPECT_TRUE(no.codec.builds.empty());

  Programming yes('q', 'p');
  const auto q = yes.buffer();
  yes.reporter.answer(true);
  EXPECT_EQ(yes.reconcile(), Reconciled::Ready);
  EXPECT_TRUE(
      std::equal(q.begin() + 0x700, q.begin() + 0x722, yes.image->buffer().begin() + 0x300));
  EXPECT_EQ(yes.codec.builds, std::vector<ModelCode>{'p'});
  EXPECT_EQ(yes.serialInImage(), kPagerSerial);
}

TEST(ReconcileModel, FamilyACodeplugIntoNewerOneKbPagerAsksPagerNewer) {
  Programming no('1', 'p');
  const auto before = no.buffer();
  EXPECT_EQ(no.reconcile(), Reconciled::Stopped);
  ASSERT_EQ(no.reporter.asked.size(), 1U);
  EXPECT_EQ(no.reporter.asked[0].code, code::PagerNewer);
  EXPECT_EQ(no.buffer(), before);
  EXPECT_TRUE(no.codec.builds.empty());
  EXPECT_TRUE(no.codec.defaultPrompts.empty());

  Programming yes('1', 'p');
  yes.reporter.answer(true);
  EXPECT_EQ(yes.reconcile(), Reconciled::Ready);
  EXPECT_EQ(yes.codec.defaultPrompts, std::vector<ModelCode>{'p'});
  EXPECT_EQ(yes.codec.builds, std::vector<ModelCode>{'p'});
  EXPECT_EQ(yes.serialInImage(), kPagerSerial);
}

// Into a 'q' or 'u' pager the codeplug becomes a 2 KB 'q' image made from a
// backup written now, not from whatever backup an earlier run left.
TEST(ReconcileModel, OneKbCodeplugIntoLargePagerConvertsAFreshBackup) {
  Programming p('p', 'u');
  zelta::testing::writeFile(p.work.backupPath(), "a stale backup of another codeplug");
  p.reporter.answer(true);
  EXPECT_EQ(p.reconcile(), Reconciled::Ready);
  EXPECT_EQ(p.codec.builds, (std::vector<ModelCode>{'p', 'q'}));
  EXPECT_EQ(p.image->modelCode(), 'q');
  EXPECT_EQ(p.serialInImage(), kPagerSerial);

  Programming no('1', 'q');
  EXPECT_EQ(no.reconcile(), Reconciled::Stopped);
  EXPECT_TRUE(no.codec.builds.empty());
}

TEST(ReconcileModel, FamilyACodeplugIntoFamilyDPager) {
  Programming unprogrammed('1', 0x91, true);
  EXPECT_EQ(unprogrammed.reconcile(), Reconciled::Stopped);
  EXPECT_TRUE(unprogrammed.reporter.asked.empty());
  ASSERT_EQ(unprogrammed.reporter.shown.size(), 1U);
  EXPECT_EQ(unprogrammed.shownText(0), errors::reportText(code::VersionsMismatch, {}));

  Programming refused('1', 0x91);
  EXPECT_EQ(refused.reconcile(), Reconciled::Stopped);
  EXPECT_EQ(refused.informationReads, 0);

  // Without the pager's information the 1 KB image is never written into a
  // family D pager.
  Programming silent('1', 0x92);
  silent.reporter.answer(true);
  silent.informationReadSucceeds = false;
  const auto before = silent.buffer();
  EXPECT_EQ(silent.reconcile(), Reconciled::Stopped);
  EXPECT_EQ(silent.informationReads, 1);
  EXPECT_EQ(silent.buffer(), before);
  EXPECT_EQ(silent.shownText(0), errors::reportText(code::VersionsMismatch, {}));

  Programming converted('1', 0x91);
  converted.reporter.answer(true);
  EXPECT_EQ(converted.reconcile(), Reconciled::Ready);
  EXPECT_EQ(converted.image->modelCode(), 0x91);
  EXPECT_EQ(std::as_const(*converted.image).current().byte(1), 0x91);
  EXPECT_EQ(converted.codec.builds, (std::vector<ModelCode>{'1', 'q', 0x91}));
  EXPECT_EQ(converted.serialInImage(), kPagerSerial);

  Programming failing('1', 0x91);
  failing.reporter.answer(true);
  failing.codec.buildResult = code::NotSynthesizable;
  failing.codec.failBuildOf = 0x91;
  EXPECT_EQ(failing.reconcile(), Reconciled::Stopped);
  EXPECT_EQ(failing.image->modelCode(), 0x91);  // the pager's, as programming loaded it
  EXPECT_EQ(std::as_const(*failing.image).current().byte(1), '1');
  EXPECT_EQ(failing.reporter.shown.back().text, errors::reportText(code::VersionsMismatch, {}));
}

TEST(ReconcileModel, WithAConverterTargetTheTargetVariantIsStamped) {
  Programming p('0', 0x96);
  p.converter.mode = ConverterMode::Varda;
  p.converter.sourceModel = '0';
  p.reporter.answer(true);
  EXPECT_EQ(p.reconcile(), Reconciled::Ready);
  EXPECT_EQ(std::as_const(*p.image).current().byte(7), '6');
  EXPECT_EQ(std::as_const(*p.image).current().bits(0x3C, 7, 6), 3U);
}

TEST(ReconcileModel, AFailedBuildStopsProgramming) {
  Programming p('p', 'x');
  p.codec.buildResult = code::NotSynthesizable;
  EXPECT_EQ(p.reconcile(), Reconciled::Stopped);
  ASSERT_EQ(p.reporter.shown.size(), 1U);
  EXPECT_EQ(p.shownText(0), errors::reportText(code::NotSynthesizable, {}));
}

}  // namespace
}  // namespace zelta::conversion
