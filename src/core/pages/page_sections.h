#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "pages/field_catalog.h"
#include "pages/model_layout.h"
#include "pages/page_table.h"

namespace zelta::pages {

// Which flag of the model layout shows a section or a control that is not a
// field. Fields follow their views; these have no view of their own.
enum class ShownWhen : std::uint8_t {
  Always,
  Never,  // built and hidden for every model
  PagerTypeInfo,
  SecondaryFrequency,
  SequentialIncrement,
  FirstPlayTone,
  UserPassword,
  UserPasswordLevel,
};

bool shownUnder(ShownWhen when, const ModelFieldLayout& layout);

// Controls of the editing pages that are not fields.
enum class ControlKind : std::uint8_t {
  Caption,  // a label in the caption column of its row
  Value,    // a label in the field column showing a field's chosen item
  Button,
};

struct PageControl {
  std::string_view name;
  ControlKind kind = ControlKind::Caption;
  std::string_view caption;
  std::string_view hint;
  ShownWhen shownWhen = ShownWhen::Always;
  std::string_view valueOf;  // Value labels: the list field whose item they show
  bool tabStop = false;
};

const PageControl* findPageControl(std::string_view name);

enum class SectionKind : std::uint8_t {
  Group,       // a column of rows: a caption beside each field or control
  Line,        // one row: each field's caption stands before it
  CodeGrid,    // the code rows of a Code page, one code a column
  SourceGrid,  // the source prompts, one code a row, one source a column
};

// One part of a page as the window draws it, in visual order. A group with
// a caption is drawn as a titled frame; the page places its sections in two
// columns, each column top to bottom.
struct PageSection {
  Page page = Page::General;
  SectionKind kind = SectionKind::Group;
  std::string_view name;     // the frame's control name, empty for none
  std::string_view caption;  // the frame's caption as built
  // Frames whose caption follows the model (gb_frequency1, gb_mfg1).
  std::string_view ModelFieldLayout::*captionFrom = nullptr;
  ShownWhen shownWhen = ShownWhen::Always;
  int column = 0;
  // Group and Line: field and control names in visual order.
  std::span<const std::string_view> items;
  // Grids: the first and the last code shown.
  int firstCode = 0;
  int lastCode = 0;
};

// The rows of a Code page grid, top to bottom; each row holds one field per code.
struct CodeGridRow {
  CodeColumn column;
  int function = 0;  // 1-4 for the alert mode and pattern rows
};
std::span<const CodeGridRow> codeGridRows();

std::span<const PageSection> pageSections(Page page);

// The frame caption of a section under the model layout.
std::string_view sectionCaption(const PageSection& section, const ModelFieldLayout& layout);

// One place of a section: a field (null `control`) or a control. For grids
// `row` and `column` give the cell: the code grid row index and the code's
// column (0-3); the source grid code row (0-based) and the source (0-3).
struct SectionPlace {
  const FieldEntry* field = nullptr;
  const PageControl* control = nullptr;
  int row = 0;
  int column = 0;
};

// Every place of a section in visual order (grids row by row). Grid cells a
// page lacks (histories of codes 9-16) are left out.
std::vector<SectionPlace> sectionPlaces(const PageSection& section);

}  // namespace zelta::pages
