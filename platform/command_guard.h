#pragma once
// Runs a command and shows an input/output error in the standard error box, which ends the
// command, as every record read or write failure does.

#include "platform/platform.h"
#include "records/io_error.h"

#include <utility>

namespace kalidor {

template <typename Command>
bool runGuarded(Platform& platform, QWidget* parent, Command&& command) {
    try {
        std::forward<Command>(command)();
        return true;
    } catch (const IoError& error) {
        platform.showError(parent, error.message());
        return false;
    }
}

} // namespace kalidor
