#!/usr/bin/env bash
# Second test command: builds Chronofex with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs the whole test suite there. Any memory error, leak or undefined behaviour
# in the program or its tests fails the run.
#
# Left out here, each covered elsewhere: the fuzz targets (they have their own sanitizer build,
# scripts/fuzz.sh, run by scripts/test.sh) and the install/package test (it checks files and
# packaging, not code; a package of an instrumented program is no use), and clang-tidy (it reads
# the sources, which scripts/test.sh has checked already).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCFX_SANITIZE=ON \
    -DCFX_BUILD_BENCH=OFF -DCFX_FUZZ_TESTS=OFF >/dev/null
cmake --build build-asan
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
cd build-asan
ctest --output-on-failure --timeout 900 -j2 -LE '^(fuzz|install)$' -E '^code_tidy$'
