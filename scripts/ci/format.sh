#!/usr/bin/env bash
# Fails when a tracked source file differs from what clang-format (.clang-format) makes of it.
set -euo pipefail
cd "$(dirname "$0")/../.."

scripts/install_packages.sh
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "$(git ls-files -- '*.cpp' '*.h' | wc -l) source files formatted as .clang-format says"
