#!/usr/bin/env bash
# Static analysis of the program's own code: clang-tidy (with the compile
# commands of a configured build) and cppcheck. Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
sources=(tally/*.cpp window/*.cpp)

echo "clang-tidy on ${#sources[@]} files"
clang-tidy -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option "${sources[@]}"

echo "cppcheck"
cppcheck --enable=warning,style,performance,portability --std=c++20 --library=qt \
    --error-exitcode=1 --inline-suppr --quiet -I tally -I window tally window

echo "analysis: no findings"
