#include "ui/editing_pages.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/field_bindings.h"
#include "ui/qt_text.h"
#include "window/field_events.h"

namespace zelta::ui {
namespace {

// The information labels of the General page stand out in this green.
const QColor kInfoLabelColour(94, 125, 65);

QLabel* newLabel(QWidget* parent, const QString& text = {}) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

EditingPages::EditingPages(QObject* parent) : QObject(parent) {
  for (int i = 0; i < kEditingPageCount; ++i) buildPage(static_cast<pages::Page>(i));
}

EditingPages::~EditingPages() {
  // Pages not yet taken by a window go with their bindings; the widgets
  // forget their bindings as they die.
  for (PageParts& parts : pages_) {
    if (parts.widget && parts.widget->parent() == nullptr) delete parts.widget;
  }
}

QWidget* EditingPages::page(pages::Page page) const {
  const int index = pages::pageIndex(page);
  if (index < 0 || index >= kEditingPageCount) return nullptr;
  return pages_[static_cast<std::size_t>(index)].widget;
}

void EditingPages::attach(window::FieldEvents* events) {
  events_ = events;
  refill();
}

void EditingPages::applyModelLayout(const pages::ModelFieldLayout& layout) {
  layout_ = layout;
  refreshAll();
}

void EditingPages::refresh(pages::Page page) {
  redraw(page, true);
}

void EditingPages::refreshAll() {
  for (int i = 0; i < kEditingPageCount; ++i) redraw(static_cast<pages::Page>(i), true);
}

void EditingPages::refill() {
  for (int i = 0; i < kEditingPageCount; ++i) redraw(static_cast<pages::Page>(i), false);
}

void EditingPages::refill(const pages::ModelFieldLayout& layout) {
  layout_ = layout;
  refill();
}

FieldBinding* EditingPages::focusedField() const {
  const QWidget* focused = QApplication::focusWidget();
  if (focused == nullptr) return nullptr;
  for (const auto& binding : bindings_) {
    if (binding->widget() == focused) return binding.get();
  }
  return nullptr;
}

bool EditingPages::commitFocusedField() {
  FieldBinding* binding = focusedField();
  return binding == nullptr || binding->commit();
}

QWidget* EditingPages::fieldWidget(pages::FieldId field) const {
  if (field == pages::kNoFieldId) return nullptr;
  for (const auto& binding : bindings_) {
    if (binding->field().id == field) return binding->widget();
  }
  return nullptr;
}

void EditingPages::updatePlayTone() {
  const bool on = events_ != nullptr && events_->playToneEnabled();
  for (QPushButton* button : playToneButtons_) button->setEnabled(on);
}

// ---- Building ----

void EditingPages::buildPage(pages::Page page) {
  PageParts& parts = pages_[static_cast<std::size_t>(pages::pageIndex(page))];
  auto* scroll = new QScrollArea;
  scroll->setObjectName(qs(pages::pageInfo(page).component));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  auto* contents = new QWidget;
  contents->setObjectName(scroll->objectName() + "_contents");
  auto* columns = new QHBoxLayout(contents);
  std::array<QVBoxLayout*, 2> column{new QVBoxLayout, new QVBoxLayout};
  for (QVBoxLayout* c : column) columns->addLayout(c);
  columns->addStretch(1);

  const std::span<const pages::PageSection> sections = pages::pageSections(page);
  parts.sections.reserve(sections.size());
  for (const pages::PageSection& section : sections) {
    QWidget* frame = buildSection(parts, section, contents);
    column[section.column == 0 ? 0 : 1]->addWidget(frame);
  }
  for (QVBoxLayout* c : column) c->addStretch(1);
  scroll->setWidget(contents);
  parts.widget = scroll;
  setTabOrder(parts);
}

QWidget* EditingPages::buildSection(PageParts& parts, const pages::PageSection& section,
                                    QWidget* parent) {
  // Rows go in a frame, titled or not, so that their fields line up with
  // those of the titled frames beside them; grids and buttons stand free.
  const bool onlyControls =
      std::all_of(section.items.begin(), section.items.end(),
                  [](std::string_view name) { return pages::findPageControl(name) != nullptr; });
  const bool framed =
      (section.kind == pages::SectionKind::Group || section.kind == pages::SectionKind::Line) &&
      !onlyControls;
  QWidget* frame = nullptr;
  if (framed) {
    frame = new QGroupBox(qs(section.caption), parent);
  } else {
    frame = new QWidget(parent);
  }
  if (!section.name.empty()) frame->setObjectName(qs(section.name));
  Section built;
  built.data = &section;
  built.frame = frame;
  parts.sections.push_back(std::move(built));
  switch (section.kind) {
    case pages::SectionKind::Group: buildRows(parts, section, frame); break;
    case pages::SectionKind::Line: buildLine(parts, section, frame); break;
    case pages::SectionKind::CodeGrid: buildCodeGrid(parts, parts.sections.back(), frame); break;
    case pages::SectionKind::SourceGrid:
      buildSourceGrid(parts, parts.sections.back(), frame);
      break;
  }
  return frame;
}

FieldBinding* EditingPages::bind(PageParts& parts, const pages::FieldEntry& field,
                                 QWidget* parent) {
  BindingHost host{.events = [this] { return paused_ ? nullptr : events_; },
                   .redraw =
                       [this](pages::Page page) {
                         redraw(page, true);
                         emit fieldEventHandled();
                       }};
  std::unique_ptr<FieldBinding> binding;
  switch (field.kind) {
    case pages::FieldKind::Text:
      binding = std::make_unique<TextFieldBinding>(field, host, parent);
      break;
    case pages::FieldKind::Masked:
      binding = std::make_unique<MaskedFieldBinding>(field, host, parent);
      break;
    case pages::FieldKind::List:
      binding = std::make_unique<ListFieldBinding>(field, host, parent);
      break;
    case pages::FieldKind::ReadOnly:
      binding = std::make_unique<ReadOnlyFieldBinding>(field, host, parent);
      break;
  }
  // As built: hidden fields stay hidden until a view shows them.
  binding->widget()->setEnabled(!field.flags.disabled);
  if (field.flags.hidden) binding->widget()->hide();
  FieldBinding* raw = binding.get();
  bindings_.push_back(std::move(binding));
  parts.fields.push_back(raw);
  parts.sections.back().fields.push_back(raw);
  return raw;
}

QWidget* EditingPages::buildControl(PageParts& parts, const pages::PageControl& control,
                                    QWidget* parent) {
  QWidget* widget = nullptr;
  if (control.kind == pages::ControlKind::Button) {
    auto* button = new QPushButton(qs(control.caption), parent);
    button->setFocusPolicy(control.tabStop ? Qt::StrongFocus : Qt::NoFocus);
    if (control.name.starts_with("listenBtn")) {
      const int number = control.name.back() - '0';
      button->setEnabled(false);
      playToneButtons_.push_back(button);
      connect(button, &QPushButton::clicked, this,
              [this, number] { emit playToneClicked(number); });
    } else {
      connect(button, &QPushButton::clicked, this, [this] { emit userPasswordKeypadClicked(); });
    }
    widget = button;
  } else {
    QLabel* label = newLabel(parent, qs(control.caption));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kInfoLabelColour);
    label->setPalette(palette);
    widget = label;
  }
  widget->setObjectName(qs(control.name));
  widget->setToolTip(qs(control.hint));
  parts.sections.back().controls.push_back(parts.controls.size());
  parts.controls.push_back(Control{.data = &control, .widget = widget});
  return widget;
}

// A caption column and a field column; a button stands beside the field
// before it, a value label beside the caption label before it.
void EditingPages::buildRows(PageParts& parts, const pages::PageSection& section, QWidget* frame) {
  auto* grid = new QGridLayout(frame);
  grid->setColumnStretch(1, 1);
  parts.sections.back().rows = grid;
  int row = 0;
  bool fieldBefore = false;
  const QString sectionCaption = qs(section.caption);
  for (const pages::SectionPlace& place : pages::sectionPlaces(section)) {
    if (place.field != nullptr) {
      FieldBinding* binding = bind(parts, *place.field, frame);
      QLabel* label = newLabel(frame);
      label->setTextFormat(Qt::PlainText);
      label->setBuddy(binding->widget());
      // A field without a caption of its own is named by its group, unless
      // the frame around it already says so.
      const QString group = qs(place.field->group);
      const QString fallback = group == sectionCaption ? QString() : group;
      binding->setLabel(label, fallback);
      label->setText(qs(place.field->caption));
      label->setVisible(!place.field->caption.empty());
      // A field that its frame alone names starts at the frame's edge.
      const bool unnamed = place.field->caption.empty() && fallback.isEmpty();
      const int firstColumn = unnamed ? 0 : 1;
      const int span = unnamed ? 2 : 1;
      if (!unnamed) {
        grid->addWidget(label, row, 0);
        parts.sections.back().captionLabels.push_back(label);
      }
      // Lists fill the field column, so that their right edges line up;
      // text fields keep the width of what they hold.
      if (place.field->kind == pages::FieldKind::List) {
        grid->addWidget(binding->widget(), row, firstColumn, 1, span);
      } else {
        grid->addWidget(binding->widget(), row, firstColumn, 1, span, Qt::AlignLeft);
      }
      ++row;
      fieldBefore = true;
      continue;
    }
    QWidget* widget = buildControl(parts, *place.control, frame);
    switch (place.control->kind) {
      case pages::ControlKind::Caption:
        grid->addWidget(widget, row, 0);
        parts.sections.back().captionLabels.push_back(static_cast<QLabel*>(widget));
        break;
      case pages::ControlKind::Value: grid->addWidget(widget, row++, 1); break;
      case pages::ControlKind::Button:
        if (fieldBefore) {
          grid->addWidget(widget, row - 1, 2);
        } else {
          grid->addWidget(widget, row++, 0, Qt::AlignLeft);
        }
        break;
    }
    fieldBefore = false;
  }
}

// One row: each field's caption before it ("Password Timeout" hh "h" mm "m" ss).
void EditingPages::buildLine(PageParts& parts, const pages::PageSection& section, QWidget* frame) {
  auto* line = new QHBoxLayout(frame);
  for (const pages::SectionPlace& place : pages::sectionPlaces(section)) {
    if (place.field == nullptr) continue;
    FieldBinding* binding = bind(parts, *place.field, frame);
    QLabel* label = newLabel(frame, qs(place.field->caption));
    label->setBuddy(binding->widget());
    binding->setLabel(label);
    line->addWidget(label);
    line->addWidget(binding->widget());
  }
  line->addStretch(1);
}

// One code a column: the code fields head their columns with their
// captions; every other row is named by its fields' caption, the alert
// mode and pattern rows by their group and function number.
void EditingPages::buildCodeGrid(PageParts& parts, Section& built, QWidget* frame) {
  auto* grid = new QGridLayout(frame);
  constexpr int kFirstFieldColumn = 2;
  constexpr int kFirstFieldRow = 1;
  const std::span<const pages::CodeGridRow> rows = pages::codeGridRows();
  std::vector<Heading> rowHeadings(rows.size());
  std::vector<Heading> groupHeadings(rows.size());
  for (const pages::SectionPlace& place : pages::sectionPlaces(*built.data)) {
    FieldBinding* binding = bind(parts, *place.field, frame);
    const int gridRow = kFirstFieldRow + place.row;
    grid->addWidget(binding->widget(), gridRow, kFirstFieldColumn + place.column);
    if (place.row == 0) {
      QLabel* label = newLabel(frame, qs(place.field->caption));
      label->setBuddy(binding->widget());
      binding->setLabel(label);
      grid->addWidget(label, 0, kFirstFieldColumn + place.column);
      continue;
    }
    const auto r = static_cast<std::size_t>(place.row);
    Heading& heading = rowHeadings[r];
    if (heading.label == nullptr) {
      heading.label = newLabel(frame, qs(place.field->caption));
      const bool perFunction = rows[r].function != 0;
      grid->addWidget(heading.label, gridRow, perFunction ? 1 : 0, 1, perFunction ? 1 : 2);
      if (rows[r].function == 1) {
        groupHeadings[r].label = newLabel(frame, qs(place.field->group));
        groupHeadings[r].fromGroup = true;
        grid->addWidget(groupHeadings[r].label, gridRow, 0);
      }
    }
    heading.fields.push_back(binding);
    if (groupHeadings[r].label != nullptr) groupHeadings[r].fields.push_back(binding);
  }
  // The group heading names all four function rows below it.
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (groupHeadings[r].label == nullptr) continue;
    for (std::size_t next = r + 1; next < rows.size() && rows[next].function > 1; ++next) {
      groupHeadings[r].fields.insert(groupHeadings[r].fields.end(),
                                     rowHeadings[next].fields.begin(),
                                     rowHeadings[next].fields.end());
    }
  }
  for (Heading& h : rowHeadings) {
    if (h.label != nullptr) built.headings.push_back(std::move(h));
  }
  for (Heading& h : groupHeadings) {
    if (h.label != nullptr) built.headings.push_back(std::move(h));
  }
  grid->setColumnStretch(kFirstFieldColumn + 4, 1);
}

// One code a row, one source a column, each prompt under its caption.
void EditingPages::buildSourceGrid(PageParts& parts, Section& built, QWidget* frame) {
  auto* grid = new QGridLayout(frame);
  for (const pages::SectionPlace& place : pages::sectionPlaces(*built.data)) {
    FieldBinding* binding = bind(parts, *place.field, frame);
    QLabel* label = newLabel(frame, qs(place.field->caption));
    label->setBuddy(binding->widget());
    binding->setLabel(label);
    grid->addWidget(label, 2 * place.row, place.column);
    grid->addWidget(binding->widget(), 2 * place.row + 1, place.column);
  }
  grid->setColumnStretch(4, 1);
}

// Tab order is the visual order: section by section; a code grid code by code.
void EditingPages::setTabOrder(PageParts& parts) {
  std::vector<QWidget*> order;
  for (const Section& section : parts.sections) {
    std::vector<FieldBinding*> fields = section.fields;
    if (section.data->kind == pages::SectionKind::CodeGrid) {
      const std::vector<pages::SectionPlace> places = pages::sectionPlaces(*section.data);
      std::vector<std::size_t> index(places.size());
      for (std::size_t i = 0; i < index.size(); ++i) index[i] = i;
      std::stable_sort(index.begin(), index.end(), [&](std::size_t a, std::size_t b) {
        return places[a].column < places[b].column;
      });
      fields.clear();
      for (std::size_t i : index) fields.push_back(section.fields[i]);
    }
    for (FieldBinding* f : fields) {
      if (f->widget()->focusPolicy() & Qt::TabFocus) order.push_back(f->widget());
    }
  }
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

// ---- Showing ----

void EditingPages::redraw(pages::Page page, bool keepRefused) {
  const int index = pages::pageIndex(page);
  if (index < 0 || index >= kEditingPageCount) return;
  PageParts& parts = pages_[static_cast<std::size_t>(index)];
  if (events_ != nullptr) {
    const pages::PageView view = events_->pageView(page);
    for (FieldBinding* binding : parts.fields) {
      const pages::FieldEntry& field = binding->field();
      const pages::FieldView* shown =
          field.id != pages::kNoFieldId ? view.find(field.id) : view.find(field.name);
      if (shown != nullptr) binding->apply(*shown, keepRefused);
    }
    for (Control& control : parts.controls) {
      if (control.data->kind != pages::ControlKind::Value) continue;
      const pages::FieldView* source = view.find(control.data->valueOf);
      QString text;
      if (source != nullptr && source->selected >= 0 &&
          source->selected < static_cast<int>(source->items.size())) {
        text = qs(source->items[static_cast<std::size_t>(source->selected)]);
      }
      static_cast<QLabel*>(control.widget)->setText(text);
    }
    for (Section& section : parts.sections) {
      for (Heading& heading : section.headings) {
        if (heading.fields.empty()) continue;
        const pages::FieldView* first = view.find(heading.fields.front()->field().id);
        if (first == nullptr) continue;
        heading.label->setText(heading.fromGroup ? qs(heading.fields.front()->field().group)
                                                 : qs(first->caption));
      }
    }
  }
  showSections(parts);
  updatePlayTone();
}

void EditingPages::showSections(PageParts& parts) {
  for (Section& section : parts.sections) {
    for (Heading& heading : section.headings) {
      const bool any = std::any_of(heading.fields.begin(), heading.fields.end(),
                                   [](FieldBinding* f) { return !f->widget()->isHidden(); });
      heading.label->setVisible(any);
    }
    bool anyShown = false;
    for (FieldBinding* f : section.fields) anyShown = anyShown || !f->widget()->isHidden();
    for (std::size_t c : section.controls) {
      Control& control = parts.controls[c];
      const bool shown = pages::shownUnder(control.data->shownWhen, layout_);
      control.widget->setVisible(shown);
      anyShown = anyShown || shown;
    }
    const bool frameShown = anyShown && pages::shownUnder(section.data->shownWhen, layout_);
    section.frame->setVisible(frameShown);
    if (auto* box = qobject_cast<QGroupBox*>(section.frame)) {
      box->setTitle(qs(pages::sectionCaption(*section.data, layout_)));
    }
  }
  // The frames of a page column share one caption width, so that their
  // fields start at one edge.
  for (int column = 0; column < 2; ++column) {
    int widest = 0;
    for (const Section& section : parts.sections) {
      if (section.rows == nullptr || section.data->column != column) continue;
      for (const QLabel* label : section.captionLabels) {
        if (!label->isHidden()) widest = std::max(widest, label->sizeHint().width());
      }
    }
    for (const Section& section : parts.sections) {
      if (section.rows != nullptr && section.data->column == column)
        section.rows->setColumnMinimumWidth(0, widest);
    }
  }
}

}  // namespace zelta::ui
