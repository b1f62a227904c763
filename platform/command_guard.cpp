#include "platform/command_guard.h"

#include "platform/platform_texts.h"

namespace kalidor {

QString failureMessage(const std::exception& failure) {
    if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) {
        return QString::fromUtf8(texts::kOutOfMemory);
    }
    return QString::fromUtf8(texts::kUnexpectedFailure).arg(QString::fromLocal8Bit(failure.what()));
}

} // namespace kalidor
