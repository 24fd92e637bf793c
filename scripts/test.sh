#!/usr/bin/env bash
# Sets up, builds (warnings are errors) and runs every test of Chronofex: unit, window and
# end-to-end tests, the layer, format and static-analysis checks, and the fuzz targets (30 s each).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh -DCFX_FUZZ_TESTS=ON -DCFX_WERROR=ON
cd build
ctest --output-on-failure --timeout 600 -j2
