#!/usr/bin/env bash
# Builds the cores, the plate SDK, the tools with tessaly-cli and their tests with
# AddressSanitizer and UndefinedBehaviorSanitizer in ./build-sanitize and runs those tests
# (the widget tests are left to the normal build). Run after scripts/install-deps.sh (CI runs
# it after the test command). Any sanitizer report fails the test that caused it.
set -euo pipefail
cd "$(dirname "$0")/.."

# The test programs, and the programs those tests run.
targets=(
  sdk_internal_tests sdk_exported_tests sdk_hostile_network_tests sdk_queue_race_tests
  mathlib_unit_tests mathlib_crosscheck_tests
  display_scene_tests
  realtime_core_tests data_files_core_tests storage_tests static_analysis_core_tests
  balance_core_tests posturography_tests posturography_presentation_tests
  acquisition_session_test record_cli_test
  tessaly_cli_tests tessaly_cli_posturography_tests
  tools_unit_tests tools_plate_sim_tests tools_loopback_tests
  tessaly-cli plate-sim pladex-monitor
)
# Their tests by name; the excluded ones belong to programs not built here (widgets, the
# ThreadSanitizer build, the fuzzers built by clang).
include='^(sdk\.|mathlib_|display\.|realtime\.|app\.(data_files|storage|acquisition)\.|static_analysis\.|balance\.|posturography\.|tools_)'
exclude='_NOT_BUILT$|_tsan$|fuzzer$|^display\.(widget|bitmaps)$|^realtime\.table_mode|^app\.data_files\.(browser|cli_report)|^app\.acquisition\.device_panel$|^static_analysis\.view$|^balance\.(view|playback)$'

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALY_SANITIZE=ON \
  -DTESSALY_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
# The build runs generators of pictures and lists the tests' cases; leaks there do not count.
ASAN_OPTIONS=detect_leaks=0 cmake --build build-sanitize -j"$(nproc)" --target "${targets[@]}"

# halt_on_error with UBSan's no-recover build: the first finding ends the test as a failure.
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Whole stacks, so that a leak inside a system library is told apart from one of ours.
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0:fast_unwind_on_malloc=0
xvfb-run -a ctest --test-dir build-sanitize --output-on-failure --no-tests=error \
  -j"$(nproc)" --timeout 600 -R "$include" -E "$exclude"
