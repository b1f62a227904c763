#pragma once
// Runs a command and shows its failure in the standard error box, which ends the command: an
// input/output error with its message, as every record read or write failure does; a lack of
// memory (a huge file, say) or any other fault with a message of its own. The program goes on.

#include "platform/platform.h"
#include "records/io_error.h"

#include <exception>
#include <new>
#include <utility>

namespace kalidor {

// The error box text of a failure that is not an input/output error.
QString failureMessage(const std::exception& failure);

template <typename Command>
bool runGuarded(Platform& platform, QWidget* parent, Command&& command) {
    try {
        std::forward<Command>(command)();
        return true;
    } catch (const IoError& error) {
        platform.showError(parent, error.message());
    } catch (const std::exception& failure) {
        platform.showError(parent, failureMessage(failure));
    }
    return false;
}

} // namespace kalidor
