#!/usr/bin/env bash
# Static analysis of the program's own code: clang-tidy (with the compile
# commands of a configured build) and cppcheck. Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
sources=(tally/*.cpp window/qt/*.cpp)

# Nothing analysed has changed since the last clean pass: say so and stop.
stamp="$build/analysis.stamp"
if [ -f "$stamp" ] && [ -z "$(find tally window .clang-tidy -newer "$stamp" -print -quit)" ]; then
    echo "analysis: no findings (nothing changed since the last pass)"
    exit 0
fi

echo "clang-tidy on ${#sources[@]} files"
clang-tidy -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option "${sources[@]}"

echo "cppcheck"
cppcheck --enable=warning,style,performance,portability --std=c++20 --library=qt \
    --error-exitcode=1 --inline-suppr --quiet -I tally -I window -I window/qt tally window/qt
cppcheck --enable=warning,style,performance,portability --std=c++20 --library=windows \
    --platform=win64 --error-exitcode=1 --inline-suppr --quiet -I tally -I window -I window/win32 \
    window/win32

touch "$stamp"
echo "analysis: no findings"
