#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), builds Tovra, then either
# starts it ("run") or runs every test ("test").
set -euo pipefail
mode="${1:-run}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TOVRA_BUILD_DIR:-$here/build}"

packages=(g++ cmake make pkg-config qt6-base-dev libjpeg62-turbo-dev libpng-dev libgif-dev)
if [ "$mode" = test ]; then
  # Window tests draw text, so some font must be there.
  packages+=(googletest libgtest-dev fonts-dejavu-core)
else
  packages+=(fonts-ipafont-gothic fonts-ipafont-mincho)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"

case "$mode" in
  run)
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "Tovra needs a graphical display: no DISPLAY or WAYLAND_DISPLAY is set." >&2
      exit 1
    fi
    exec "$build/bin/tovra"
    ;;
  test)
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
    ;;
  *)
    echo "usage: scripts/setup.sh run|test" >&2
    exit 2
    ;;
esac
