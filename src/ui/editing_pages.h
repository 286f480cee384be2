#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <array>
#include <memory>
#include <vector>

#include "pages/model_layout.h"
#include "pages/page_sections.h"
#include "pages/page_table.h"

class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace zelta::window {
class FieldEvents;
}

namespace zelta::ui {

class FieldBinding;

inline constexpr int kEditingPageCount = 13;

// The thirteen editing pages (formPage0 to formPage12), built from the page
// sections and bound to the rules through FieldEvents. Every widget of a
// field carries the field's control name. After every field event the page
// is redrawn from the rules' page view, since a module may change other
// fields than the one it stores.
class EditingPages : public QObject {
  Q_OBJECT

 public:
  explicit EditingPages(QObject* parent = nullptr);
  ~EditingPages() override;

  // The page widget of an editing page; the window hosts it in its tabs.
  QWidget* page(pages::Page page) const;

  // The rules the fields report to; null detaches (the fields then show
  // nothing new and store nothing). The events must outlive the attachment.
  void attach(window::FieldEvents* events);
  window::FieldEvents* events() const { return events_; }
  // While paused, focus coming and going tells the rules nothing: the window
  // shows the pages one after another for the report's pictures.
  void pauseEvents(bool paused) { paused_ = paused; }

  // The model-dependent frames, labels and buttons (a read or a load lays
  // out the window for the model; so does the converter).
  void applyModelLayout(const pages::ModelFieldLayout& layout);

  // Shows a page (or all) as the rules give it now. A text the rules
  // refused stays in its field, as typed, until it is accepted.
  void refresh(pages::Page page);
  void refreshAll();
  // Shows every page from the settings, refused texts too: after a read, a
  // load or "Set To Defaults".
  void refill();
  // The same under a new model layout (a load, the converter).
  void refill(const pages::ModelFieldLayout& layout);

  // Stores the field being edited, as leaving it would, before a command
  // (F2, Ctrl+S, a tab change, F11, F12). A field stored and accepted since
  // its last edit is not stored again. False when the rules refused it.
  bool commitFocusedField();

  // The widget of a field; null for a field no page shows.
  QWidget* fieldWidget(pages::FieldId field) const;

  // The "Play tone" buttons follow the field last entered.
  void updatePlayTone();

 signals:
  // A field event went to the rules (entered, left, changed): what the
  // window shows beside the pages may have changed with it.
  void fieldEventHandled();
  // listenBtn01 to listenBtn04 (1 to 4) was clicked.
  void playToneClicked(int button);
  // BitBtn1: the user password keypad is asked for.
  void userPasswordKeypadClicked();

 private:
  // A grid's row or column heading: shown while one of its fields is.
  struct Heading {
    QLabel* label = nullptr;
    std::vector<FieldBinding*> fields;
    bool fromGroup = false;  // shows the fields' group ("Alert Mode")
  };
  struct Section {
    const pages::PageSection* data = nullptr;
    QWidget* frame = nullptr;  // group box or plain widget
    std::vector<Heading> headings;
    std::vector<FieldBinding*> fields;
    std::vector<std::size_t> controls;   // indexes into PageParts::controls
    QGridLayout* rows = nullptr;         // Group sections: caption and field columns
    std::vector<QLabel*> captionLabels;  // Group sections: the caption column
  };
  struct Control {
    const pages::PageControl* data = nullptr;
    QWidget* widget = nullptr;
    QLabel* caption = nullptr;  // Caption labels: the label itself
  };
  struct PageParts {
    QPointer<QWidget> widget;
    std::vector<Section> sections;
    std::vector<Control> controls;
    std::vector<FieldBinding*> fields;
  };

  void buildPage(pages::Page page);
  QWidget* buildSection(PageParts& parts, const pages::PageSection& section, QWidget* parent);
  void buildRows(PageParts& parts, const pages::PageSection& section, QWidget* frame);
  void buildLine(PageParts& parts, const pages::PageSection& section, QWidget* frame);
  void buildCodeGrid(PageParts& parts, Section& built, QWidget* frame);
  void buildSourceGrid(PageParts& parts, Section& built, QWidget* frame);
  FieldBinding* bind(PageParts& parts, const pages::FieldEntry& field, QWidget* parent);
  QWidget* buildControl(PageParts& parts, const pages::PageControl& control, QWidget* parent);
  void setTabOrder(PageParts& parts);
  void redraw(pages::Page page, bool keepRefused);
  void showSections(PageParts& parts);
  FieldBinding* focusedField() const;

  std::array<PageParts, kEditingPageCount> pages_;
  std::vector<std::unique_ptr<FieldBinding>> bindings_;
  window::FieldEvents* events_ = nullptr;
  bool paused_ = false;
  pages::ModelFieldLayout layout_;
  QList<QPushButton*> playToneButtons_;
};

}  // namespace zelta::ui
