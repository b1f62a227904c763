#pragma once
// The hourglass for the length of a scope, restored on every way out.

#include "platform/platform.h"

namespace kalidor {

class WaitCursor {
public:
    explicit WaitCursor(Platform& platform) : platform_(platform) { platform_.setWaitCursor(true); }
    ~WaitCursor() { platform_.setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Platform& platform_;
};

} // namespace kalidor
