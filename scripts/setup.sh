#!/bin/bash
# Set-up for a fresh Debian 12 machine, run as root.
#   bash scripts/setup.sh run    install what is missing, build, start the program
#   bash scripts/setup.sh test   install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")/.."

mode="${1:-}"
case "$mode" in run|test) ;; *) echo "usage: $0 run|test" >&2; exit 2 ;; esac

packages=(g++ cmake make qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev libgeographiclib-dev fonts-dejavu-core poppler-utils qt6-translations-l10n libgdal-dev
          libeigen3-dev)   # libeigen3-dev: the least-squares fit of an equation to a record
if [ "$mode" = run ]; then packages+=(qt6-gtk-platformtheme); fi
if [ "$mode" = test ]; then packages+=(clang-14 libclang-rt-14-dev); fi   # libFuzzer
if [ "$mode" = test ]; then packages+=(dpkg-dev file lintian desktop-file-utils appstream man-db); fi   # the Debian package and its check (desktop-file-validate, appstreamcli, man)
if [ "$mode" = test ]; then packages+=(gdal-bin); fi
# The Python module (pybind11) and its pytest tests; the JSON schema check; Dask for the many-machine example.
packages+=(python3-dev python3-numpy pybind11-dev)
if [ "$mode" = test ]; then packages+=(python3-pytest python3-jsonschema python3-dask python3-distributed python3-pandas); fi   # gdalinfo, gdallocationinfo, ogrinfo read the GIS outputs back

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"

if [ "$mode" = run ]; then
  exec build/bin/tormel21
fi

ctest --test-dir build --output-on-failure -j"$jobs"

# The Debian package: made, checked by lintian, unpacked into a temporary
# root and both programs run from there (never installed on this machine).
bash scripts/testa-pacote.sh build

# The core again under AddressSanitizer and UndefinedBehaviorSanitizer: its
# tests, the core part of the bad-data tests (tests/robustez) and the replay
# of every fuzz corpus file. Any report fails the run.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTORMEL_CORE_ONLY=ON -DTORMEL_SANITIZE=ON -DTORMEL_BENCHMARKS=OFF
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j"$jobs"

# The libFuzzer targets (fuzz/): built with clang and run a fixed number of
# inputs grown from their corpora, the same ones at every run. New inputs go
# to a scratch folder, never into the committed corpora. The state map target
# (a 450 × 450 picture per input) and the help file target (every topic laid
# out) are slower per input, so they run fewer; an input slower than 20 s is a
# failure.
cmake -S fuzz -B build-fuzz-ci -DCMAKE_CXX_COMPILER=clang++-14
cmake --build build-fuzz-ci -j"$jobs"
for alvo in estacoes localidades arquivoini parsedms csvdados csvconsulta mapaestado ajuda; do
  runs=20000; [ "$alvo" = mapaestado ] && runs=5000; [ "$alvo" = ajuda ] && runs=3000
  rm -rf "build-fuzz-ci/novos/$alvo" && mkdir -p "build-fuzz-ci/novos/$alvo"
  QT_QPA_PLATFORM=offscreen build-fuzz-ci/fuzz_$alvo -seed=1 -runs=$runs -max_len=4096 -timeout=20 \
    -artifact_prefix=build-fuzz-ci/ "build-fuzz-ci/novos/$alvo" "fuzz/corpus/$alvo"
done
