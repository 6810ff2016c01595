#!/usr/bin/env bash
# Installs the Debian packages the editor and its tests need, only those missing.
set -euo pipefail
PKGS=(
  cmake ninja-build g++ make python3 pkg-config clang-format git
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-private-dev qt6-webengine-dev qt6-qpa-plugins libgl1-mesa-dri
  libfontconfig-dev
  qt6-translations-l10n
  libgtest-dev googletest libbenchmark-dev
  xvfb xdotool xclip openbox x11-utils imagemagick xterm
  libglib2.0-bin
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-monapo fontconfig
  fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus dbus-bin
  librsvg2-bin desktop-file-utils appstream dpkg-dev file lintian
  weston qt6-wayland
)
missing=()
for p in "${PKGS[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
