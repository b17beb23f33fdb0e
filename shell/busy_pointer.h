#pragma once

#include "shell/main_window.h"

namespace brondel::shell {

// Shows the busy pointer for as long as it lives, so every way out of a long
// command (its end, an early return, a failure) gives the default one back.
class BusyPointer {
  public:
    explicit BusyPointer(MainWindow& main) : main_(main) { main_.showBusy(); }
    ~BusyPointer() { main_.showDefault(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

  private:
    MainWindow& main_;
};

}  // namespace brondel::shell
