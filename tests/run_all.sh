#!/usr/bin/env bash
# Installs the packages the build needs where they are missing, then builds and runs every
# test: the Release build's test suite, a byte-for-byte comparison of the Debug and Release
# programs, and the test suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

bash tests/install_packages.sh

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DSDOF_BUILD_BENCHMARKS=ON
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

# Installing puts both commands and their manual pages in place.
rm -rf build/installed
cmake --install build/release --prefix build/installed > /dev/null
for installed in bin/sdof_frf bin/sdof_frf_plot share/man/man1/sdof_frf.1 share/man/man1/sdof_frf_plot.1; do
  [ -s "build/installed/$installed" ] || { echo "cmake --install did not install $installed" >&2; exit 1; }
done

cmake -S . -B build/debug -DCMAKE_BUILD_TYPE=Debug -DSDOF_BUILD_TESTS=OFF
cmake --build build/debug -j "$jobs"
bash tests/compare_builds.sh build/debug/sdof_frf build/release/sdof_frf

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DSDOF_SANITIZE=ON
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"
