#include "link/operation_scope.h"

namespace zelta::link {

OperationScope::OperationScope(PagerLink& link) : link_(link) {
  LinkState& st = link_.state_;
  link_.comm_.HoldPort(true);
  st.speedCode = speed::k4800;
  st.firstStatus = 0;
  st.passwordAsked = false;
  st.extendedFirmware = 0xFF;
  st.imageWriteInterrupted = false;
  st.operationModel = models::kNoModel;
}

OperationScope::~OperationScope() {
  LinkState& st = link_.state_;
  link_.comm_.Close();
  link_.comm_.HoldPort(false);
  st.blankRead = false;
  st.operationModel = models::kNoModel;
  link_.loweredSpeedCode_ = 0;
}

void OperationScope::pinModel(models::ModelCode model) {
  link_.state_.operationModel = model;
}

void OperationScope::forgetModel() {
  link_.state_.modelCode = models::kNoModel;
}

void OperationScope::lowerSpeed(std::uint8_t speedCode) {
  link_.loweredSpeedCode_ = speedCode;
}

}  // namespace zelta::link
