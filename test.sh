#!/usr/bin/env bash
# Builds KALIDOR and runs the whole test suite through ctest.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install_packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALIDOR_TESTS=ON -DKALIDOR_BENCH=ON >/dev/null
cmake --build build -j "$(nproc)"
cd build
ctest --output-on-failure -j "$(nproc)"
