#include "window/memory_serial_form.h"

#include <gtest/gtest.h>

namespace zelta::window {
namespace {

operations::MemorySerialRequest request(models::ModelCode model, bool large, bool mailDrop,
                                        int memoryCode) {
  operations::MemorySerialRequest r;
  r.model = model;
  r.memorySize = large ? 32 : 8;
  r.largeMemory = large;
  r.mailDropCodePresent = mailDrop;
  r.memoryCode = memoryCode;
  return r;
}

TEST(MemorySerialForm, RowsAndSelectionAtShow) {
  struct Case {
    bool large;
    bool mailDrop;
    int memoryCode;
    std::size_t rows;
    int selected;
    int code;
  };
  const Case cases[] = {
      {true, false, 16, 7, 3, 16}, {true, false, 32, 7, 6, 32},
      {true, true, 32, 6, 2, 10},  // the no-maildrop row is gone: the default split
      {true, true, 99, 6, 2, 10},  {false, false, 8, 6, 5, 8},
      {false, true, 8, 5, 4, 5},   {false, false, 0, 6, 4, 5},
      {false, false, 2, 6, 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.large << c.mailDrop << c.memoryCode);
    const MemorySerialForm form(request(0x98, c.large, c.mailDrop, c.memoryCode));
    EXPECT_TRUE(form.listsEnabled());
    EXPECT_EQ(form.rows().size(), c.rows);
    EXPECT_EQ(form.selectedRow(), c.selected);
    EXPECT_EQ(form.memoryCode(), c.code);
  }
}

TEST(MemorySerialForm, OkTakesTheSerialAndTheChosenRow) {
  auto r = request(0x98, true, false, 10);
  MemorySerialForm form(r);
  form.chooseRow(4);
  form.chooseRow(9);  // no such row: ignored
  EXPECT_EQ(form.accept("f0001234567", r), errors::code::Ok);
  EXPECT_EQ(r.serialNumber, "F000123456");
  EXPECT_EQ(r.memoryCode, 21);
  EXPECT_EQ(form.rows()[4].personal, "21.5K");
  EXPECT_EQ(form.rows()[4].maildrop, "10.5K");
}

TEST(MemorySerialForm, CancelKeepsTheMemoryCodeOfShow) {
  auto r = request(0x98, false, false, 3);
  MemorySerialForm form(r);
  form.chooseRow(0);
  EXPECT_EQ(form.cancel(r), errors::code::Cancelled);
  EXPECT_EQ(r.memoryCode, 3);
  EXPECT_EQ(r.serialNumber, "");
}

TEST(MemorySerialForm, Model32AsksOnlyForTheSerialNumber) {
  auto r = request(32, false, false, 4);
  MemorySerialForm form(r);
  EXPECT_FALSE(form.listsEnabled());
  EXPECT_EQ(form.selectedRow(), -1);
  form.chooseRow(0);
  EXPECT_EQ(form.accept("A1", r), errors::code::Ok);
  EXPECT_EQ(r.memoryCode, 4);
  EXPECT_EQ(r.serialNumber, "A1");
}

TEST(MemorySerialForm, SerialNumberTextIsTenPrintableCharacters) {
  EXPECT_EQ(serialNumberText("abc-123"), "ABC-123");
  EXPECT_EQ(serialNumberText("12345678901"), "1234567890");
  EXPECT_EQ(serialNumberText("A\tB\xC3\xA9"
                             "C"),
            "ABC");
}

}  // namespace
}  // namespace zelta::window
