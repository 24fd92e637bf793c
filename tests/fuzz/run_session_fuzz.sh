#!/usr/bin/env bash
# Builds the session-reader fuzz target with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it for the given number of seconds.
# Usage: run_session_fuzz.sh SOURCE_DIR WORK_DIR SECONDS
# The corpus is kept in WORK_DIR/corpus, so later and longer runs build on earlier ones.
set -euo pipefail
src=$(cd "$1" && pwd)
work=$2
seconds=${3:-60}
mkdir -p "$work/corpus" "$work/seeds"
cxx=${CLANGXX:-$(command -v clang++ || true)}
[ -n "$cxx" ] || { echo "clang++ not found: install the Debian package clang" >&2; exit 1; }

sources=("$src/tests/fuzz/SessionReaderFuzz.cpp" "$src/timing/SessionFile.cpp"
         "$src/app/LineFile.cpp" "$src/app/NumberText.cpp")
headers=("$src/timing/SessionFile.h" "$src/app/LineFile.h" "$src/app/NumberText.h"
         "$src/report/ReadingsModel.h" "$src/outside/GridModel.h")
bin="$work/session_fuzz"
rebuild=0
[ -x "$bin" ] || rebuild=1
for f in "${sources[@]}" "${headers[@]}"; do
    [ "$f" -nt "$bin" ] && rebuild=1
done
if [ "$rebuild" -eq 1 ]; then
    echo "fuzz: building $bin with $cxx"
    # shellcheck disable=SC2046
    "$cxx" -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
        -fno-sanitize-recover=undefined -fno-omit-frame-pointer -DQT_NO_KEYWORDS \
        -I"$src" $(pkg-config --cflags Qt6Core) "${sources[@]}" \
        $(pkg-config --libs Qt6Core) -o "$bin"
fi

# Seeds: sessions as the program writes them, one from the older platform, and broken ones.
printf '10\r\n200\r\nstamp\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n0\r\n1\r\n1\r\n00:00:01.05\r\n100.00\r\n\r\n57\r\n157\r\n' > "$work/seeds/one"
printf '10\r\n0\r\n\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n' > "$work/seeds/none"
printf '250\r\n471\r\nd\xe9but\r\n0\r\n0\r\n0\r\n0\r\n0\r\n4\r\n0\r\n7\r\n1\r\n1\r\nS00:00:04.07\r\n100.00\r\nD\xe9part, "quoted"\r\n71\r\n471\r\n2\r\n' > "$work/seeds/old"
printf '\xef\xbb\xbf1e9\n-3\n\n99999\n\n\n\n\n\n\n\n1.0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n' > "$work/seeds/odd"

echo "fuzz: running for $seconds s"
"$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "$work/seeds"
