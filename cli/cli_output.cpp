#include "cli/cli_output.h"

#include <cstdio>

namespace kalidor::cli {

namespace {

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

} // namespace

void printOut(const QString& text) {
    print(stdout, text);
}

void printError(const QString& text) {
    // What went wrong comes after what was printed before it.
    std::fflush(stdout);
    print(stderr, text);
}

} // namespace kalidor::cli
