#!/usr/bin/env bash
# Feldora: install what is missing, build into build/, then start, test, benchmark or fuzz.
#   ./feldora.sh            build and start Feldora
#   ./feldora.sh test       build and run every test
#   ./feldora.sh bench      build and print the benchmark figures
#   ./feldora.sh fuzz [S]   build the fuzz targets with clang and run each for S seconds
#   ./feldora.sh paket      build the Debian package build/feldora_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")"
mode=${1:-run}

packages=(build-essential cmake pkg-config qt6-base-dev qt6-translations-l10n
  libpng-dev zlib1g-dev libjpeg62-turbo-dev libgtest-dev googletest libbenchmark-dev
  libinih-dev qt6-svg-dev qt6-pdf-dev qt6-image-formats-plugin-pdf fonts-liberation2 xvfb xauth locales poppler-utils desktop-file-utils
  openbox x11-utils)
# The Debian package and its test: dpkg-shlibdeps, validators, the file-type database, lintian.
packages+=(dpkg-dev appstream shared-mime-info libglib2.0-bin groff-base lintian)
[ "$mode" = fuzz ] && packages+=(clang libclang-rt-14-dev)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installiere fehlende Pakete: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
  fi
  # The tests also run under a German locale.
  if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "Hinweis: Locale de_DE.UTF-8 nicht verfügbar"
  fi
}

build() {
  local dir=$1; shift
  # A compiler cache, where one is installed, shares objects between checkouts.
  local launcher=()
  if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=$PWD
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

install_missing
case "$mode" in
  run)
    build build
    if [ -x build/feldora ]; then
      exec build/feldora "${@:2}"
    fi
    echo "Das Programm wurde nicht gebaut."
    ;;
  test)
    build build
    cd build && ctest --output-on-failure -j "$(nproc)"
    ;;
  bench)
    build build
    for b in build/bench/feldora_bench*; do [ -x "$b" ] && "$b"; done
    ;;
  paket)
    build build
    (cd build && cpack -G DEB)
    ;;
  fuzz)
    seconds=${2:-60}
    CC=clang CXX=clang++ build build-fuzz -DFELDORA_FUZZ=ON -DFELDORA_BUILD_TESTS=OFF -DFELDORA_BUILD_BENCH=OFF
    mkdir -p build-fuzz/corpus
    for f in build-fuzz/fuzz/fuzz_*; do
      [ -x "$f" ] || continue
      name=$(basename "$f")
      mkdir -p "build-fuzz/corpus/$name"
      echo "== $name ($seconds s)"
      seeds=()
      [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
      "$f" -max_total_time="$seconds" -max_len=1100000 -rss_limit_mb=4096 "build-fuzz/corpus/$name" "${seeds[@]}" 2>&1 | tail -n 3
    done
    ;;
  *)
    echo "Aufruf: ./feldora.sh [test|bench|fuzz SEKUNDEN|paket]" >&2
    exit 2
    ;;
esac
