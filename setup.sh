#!/usr/bin/env bash
# Installs what is missing, builds, and then either runs every test under
# the program's Japanese locale ("./setup.sh test") or starts the program
# ("./setup.sh run [FILE]").
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libxcb1-dev zlib1g-dev libfontconfig-dev libgtest-dev libbenchmark-dev
          fonts-noto-cjk fonts-ipafont-gothic fonts-ipafont-mincho fonts-liberation2
          qt6-translations-l10n xdg-utils locales)
mode="${1:-test}"
# PROJ is the benchmarks' yardstick, and only the test build builds them;
# the tests try the build's use of git on a checkout of their own.
[ "$mode" != test ] || packages+=(libproj-dev git)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The program runs for Japanese users only, and its tests see what it sees:
# both get a Japanese locale when the session has another one (made when
# the machine has none).
japanese_locale() {
  if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
    if [ -f /etc/locale.gen ]; then
      $sudo sed -i 's/^# *\(ja_JP\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
      grep -q '^ja_JP\.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    fi
    $sudo locale-gen >/dev/null 2>&1 || $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8 || true
  fi
  case "${LC_ALL:-${LANG:-}}" in
    ja_JP*|ja.*|ja) ;;
    *) export LANG=ja_JP.UTF-8
       [ -z "${LC_ALL:-}" ] || export LC_ALL=ja_JP.UTF-8 ;;
  esac
}

jobs=$(nproc)
case "$mode" in
  test)
    cmake -S . -B build/check -G Ninja -DVOSP_SANITIZE=ON -DVOSP_WERROR=ON -DCMAKE_BUILD_TYPE=None \
          -DCMAKE_CXX_FLAGS="-O1 -g1" >/dev/null
    cmake --build build/check -j "$jobs"
    japanese_locale
    # A category set on its own (LC_CTYPE=C.UTF-8, say) would override LANG.
    export LC_ALL=ja_JP.UTF-8
    ctest --test-dir build/check --output-on-failure -j "$jobs"
    ;;
  run)
    shift || true
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVOSP_TESTS=OFF -DVOSP_BENCH=OFF >/dev/null
    cmake --build build/release -j "$jobs"
    japanese_locale
    exec build/release/app/vosperal "$@"
    ;;
  *)
    echo "usage: $0 test | run [FILE]" >&2
    exit 2
    ;;
esac
