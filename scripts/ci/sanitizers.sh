#!/usr/bin/env bash
# The whole test suite built with clang under AddressSanitizer and UndefinedBehaviorSanitizer
# in build-asan/, warnings as errors. Fails on a failed test and on any sanitizer report,
# including one written by a child process or by the program a test starts, whose exit code
# the test may not look at: every report goes to a file, and any file fails the stage.
set -euo pipefail
cd "$(dirname "$0")/../.."

scripts/install_packages.sh clang libclang-rt-dev

build=build-asan
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DKALIDOR_SANITIZE=ON -DKALIDOR_WERROR=ON \
  -DKALIDOR_TESTS=ON -DKALIDOR_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

# Tests drop to an ordinary user in child processes: the report folder must take their files.
reports="$PWD/$build/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
chmod 1777 "$reports"

export ASAN_OPTIONS="log_path=$reports/report:detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1:strict_init_order=1"
export UBSAN_OPTIONS="log_path=$reports/report:print_stacktrace=1:halt_on_error=1"

status=0
(cd "$build" && ctest --output-on-failure -j "$(nproc)") || status=$?

if compgen -G "$reports/*" >/dev/null; then
  for report in "$reports"/*; do
    echo "=== $report"
    cat "$report"
  done
  echo "Sanitizer reports were written: failed." >&2
  exit 1
fi
exit "$status"
