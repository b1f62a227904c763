#pragma once
// The one way a text constant (UTF-8 source) becomes a QString, in every layer.

#include <QString>

namespace kalidor {

inline QString tr8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace kalidor
