#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the program,
# but only those that are missing. Uses sudo when not run as root.
set -euo pipefail

PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-private-dev qt6-translations-l10n
    libgraphicsmagick++1-dev graphicsmagick
    libsane-dev libsane1 libsane-common sane-utils
    libzint-dev libzxing-dev
    libbenchmark-dev
    clang libclang-rt-14-dev
    netpbm fonts-liberation
    xvfb xauth xclip imagemagick
    desktop-file-utils appstream shared-mime-info libglib2.0-bin dpkg-dev file man-db python3
    cups printer-driver-cups-pdf poppler-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
