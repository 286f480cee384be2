#include "ui/program_icon.h"

namespace zelta::ui {

QIcon programIcon() {
  return QIcon(QStringLiteral(":/zelta-pps/zelta-pps.svg"));
}

}  // namespace zelta::ui
