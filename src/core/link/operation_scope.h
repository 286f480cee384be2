#pragma once

#include <cstdint>

#include "link/pager_link.h"
#include "models/models.h"

namespace zelta::link {

// One read, programming run or service command on the link, from its start
// to its end. It starts at 4800 with the status, the password and the
// firmware to be learnt anew, and holds the port for this program
// throughout; its end lets the port go and forgets what held only for it
// (the blank read learnt, the pinned model, a slower speed of a retry).
// Until a probe pins a model, any model is taken.
class OperationScope {
 public:
  explicit OperationScope(PagerLink& link);
  ~OperationScope();
  OperationScope(const OperationScope&) = delete;
  OperationScope& operator=(const OperationScope&) = delete;

  // Every later wake-up of the operation must find this model, also in the
  // runs the "not responding" question repeats: a retry programs the pager
  // the operation started with or none. A wake-up that finds another ends
  // its transaction with -15 before anything is sent.
  void pinModel(models::ModelCode model);
  // The run has failed with this pager: its model is not known any more.
  void forgetModel();
  // The fast pagers are asked for this speed until the operation ends.
  void lowerSpeed(std::uint8_t speedCode);

 private:
  PagerLink& link_;
};

}  // namespace zelta::link
