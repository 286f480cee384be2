#include "window/window_texts.h"

namespace zelta::window {

std::string operationText(Operation operation, int rateCode) {
  switch (operation) {
    case Operation::Read: return std::string(kReadingText);
    case Operation::Program: return std::string(kProgrammingText) + std::string(rateText(rateCode));
    case Operation::Done: return {};
  }
  return {};
}

}  // namespace zelta::window
