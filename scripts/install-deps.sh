#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tessaly need.
# Idempotent: apt-get runs only when a package is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev clang-format
  qtbase5-dev qtbase5-dev-tools libqt5charts5-dev libqt5sql5-sqlite qtpdf5-dev
  libqcustomplot-dev libopencv-dev libqt5opengl5-dev libglu1-mesa-dev
  qttranslations5-l10n fonts-wqy-microhei
  xvfb xauth poppler-utils libgtest-dev libbenchmark-dev imagemagick xdotool
  dpkg-dev desktop-file-utils appstream shared-mime-info
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
