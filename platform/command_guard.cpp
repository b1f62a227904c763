#include "platform/command_guard.h"

#include "platform/platform_texts.h"
#include "records/utf8.h"

namespace kalidor {

QString failureMessage(const std::exception& failure) {
    if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) {
        return tr8(platform_texts::kOutOfMemory);
    }
    return tr8(platform_texts::kUnexpectedFailure).arg(QString::fromLocal8Bit(failure.what()));
}

} // namespace kalidor
