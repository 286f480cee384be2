#pragma once

#include <QString>
#include <vector>

#include "pages/page_table.h"

class QTabWidget;

namespace zelta::ui {

// The report's page pictures: the page control is shown at each page in
// turn and drawn into "0_ppsPge.jpg", "1_ppsPge.jpg" ... in folder (JPEG of
// quality 100), each at least the size of the page control and large
// enough to show its page whole, however small the window is. The widgets
// are drawn, not the screen, so no other window can cover a picture. The
// page control is left at the page, size and scroll position it showed.
// Returns how many pictures were written.
int captureReportPages(QTabWidget& pageControl, const std::vector<pages::Page>& pages,
                       const QString& folder);

}  // namespace zelta::ui
