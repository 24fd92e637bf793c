#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# in their own build folder and runs each for a while, starting from the seed files in
# fuzz/corpus/<target>. A crash, a hang (an input taking over 10 s), a leak, a sanitizer report or
# memory out of proportion (one allocation over 512 MB, or over 1 GB in all) fails the run; the input that caused it is kept in <build>/artifacts.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]   build, then run each target (all when none named)
#   scripts/fuzz.sh --build-only            build only
#   scripts/fuzz.sh --run-only SECONDS TARGET...
#
# SECONDS defaults to 30. CFX_FUZZ_BUILD names the build folder (default build-fuzz).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
builddir=${CFX_FUZZ_BUILD:-$root/build-fuzz}

build() {
    cmake -S "$root" -B "$builddir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DCFX_FUZZ=ON -DCFX_BUILD_TESTS=OFF -DCFX_BUILD_BENCH=OFF \
        >/dev/null
    cmake --build "$builddir" --target cfx_fuzzers
}

all_targets() {
    sed -n 's/^ *\(fuzz_[a-z_]*\) .*/\1/p' "$root/fuzz/targets.cmake"
}

run() {
    local secs=$1 name=$2 corpus log
    [ -x "$builddir/fuzz/$name" ] || { echo "fuzz: $name is not built in $builddir" >&2; return 1; }
    # The fuzzer adds what it finds to the corpus; work on a copy so the seeds stay as they are.
    corpus=$(mktemp -d "/tmp/cfx-$name.XXXXXX")
    log="$corpus.log"
    cp "$root/fuzz/corpus/$name"/* "$corpus"/
    mkdir -p "$builddir/artifacts"
    echo "fuzz: $name for $secs s"
    if "$builddir/fuzz/$name" -max_total_time="$secs" -timeout=10 -malloc_limit_mb=512 -rss_limit_mb=1024 \
        -print_final_stats=1 -artifact_prefix="$builddir/artifacts/$name-" "$corpus" >"$log" 2>&1; then
        grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+.*DONE)' "$log" || true
        rm -rf "$corpus" "$log"
    else
        cat "$log"
        echo "fuzz: $name FAILED; the input is in $builddir/artifacts/" >&2
        rm -rf "$corpus"
        return 1
    fi
}

case "${1:-}" in
--build-only)
    build
    ;;
--run-only)
    shift
    secs=$1
    shift
    for t in "$@"; do run "$secs" "$t"; done
    ;;
*)
    secs=${1:-30}
    [ $# -gt 0 ] && shift
    targets=("$@")
    [ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(all_targets)
    build
    for t in "${targets[@]}"; do run "$secs" "$t"; done
    ;;
esac
