#!/usr/bin/env bash
# Sets up and runs the whole test suite:
#   1. the normal build, every test (each display test under an Xvfb of its
#      own, with llvmpipe);
#   2. the same tests built again with AddressSanitizer and UndefinedBehaviorSanitizer,
#      with the collector's stress switch on (a full collection at every step);
#   3. the libFuzzer targets, each for a bounded number of inputs.
# Ends with one summary line: "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/deps.sh || exit 1

jobs=$(nproc)
passed=0
failed=0
skippedTotal=0

run_ctest() {  # build-dir label
  local dir=$1 label=$2 log
  log=$(mktemp)
  # A failure counts the first time: no test shares an X server with another
  # (tests/own_display.sh), and none needs one from here.
  (cd "$dir" && env -u DISPLAY ctest --output-on-failure --timeout 600 -j "$jobs") 2>&1 | tee "$log"
  local total fails skipped
  total=$(grep -oE 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)
  fails=$(grep -oE '[0-9]+ tests failed out of' "$log" | grep -oE '^[0-9]+' | tail -1)
  skipped=$(grep -cE '^\s+[0-9]+ - .* \(Skipped\)$' "$log")
  if [ -z "$total" ]; then
    echo "== $label: ctest did not finish"
    failed=$((failed + 1))
  else
    passed=$((passed + total - fails - skipped))
    failed=$((failed + fails))
    skippedTotal=$((skippedTotal + skipped))
  fi
  rm -f "$log"
}

build() {  # build-dir extra-cmake-args...
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null &&
    cmake --build "$dir" -j "$jobs"
}

echo "== Normal build"
if build build -DTARVEX_BENCHMARKS=ON; then run_ctest build "normal"; else failed=$((failed + 1)); fi

echo "== Sanitizer build (ASan + UBSan, collector stress)"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if build build-asan -DTARVEX_SANITIZE=ON -DTARVEX_GC_STRESS=ON; then
  run_ctest build-asan "sanitizer"
else
  failed=$((failed + 1))
fi

if [ -f fuzz/CMakeLists.txt ]; then
  echo "== Fuzzers (bounded runs)"
  if CC=clang CXX=clang++ build build-fuzz -DTARVEX_FUZZERS=ON -DTARVEX_TESTS=OFF; then
    for target in build-fuzz/fuzz/fuzz_*; do
      [ -x "$target" ] || continue
      name=$(basename "$target")
      corpus=fuzz/corpus/${name#fuzz_}
      work=$(mktemp -d)
      [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
      if "$target" -runs=20000 -max_len=65536 "$work" >"$work.log" 2>&1; then
        echo "fuzz $name: ok"; passed=$((passed + 1))
      else
        echo "fuzz $name: FAILED"; tail -40 "$work.log"; failed=$((failed + 1))
      fi
      rm -rf "$work" "$work.log"
    done
  else
    failed=$((failed + 1))
  fi
fi

echo
if [ "$skippedTotal" -gt 0 ]; then
  echo "$passed passed, $failed failed, $skippedTotal skipped"
else
  echo "$passed passed, $failed failed"
fi
[ "$failed" -eq 0 ]
