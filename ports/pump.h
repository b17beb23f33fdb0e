#pragma once

// "Let the message loop run once": long loops call this so the window keeps
// repainting. Headless it does nothing; the desktop processes pending events
// at most every few milliseconds so a loop over a million rows stays fast.
namespace brondel::ports {

class Pump {
  public:
    virtual ~Pump() = default;
    virtual void runOnce() {}
};

}  // namespace brondel::ports
