#pragma once
// What kalidor-cli writes: UTF-8 whatever the locale, one line at a time.

#include <QString>

namespace kalidor::cli {

// `text` and a line end on the standard output.
void printOut(const QString& text);
// `text` and a line end on the standard error.
void printError(const QString& text);

} // namespace kalidor::cli
