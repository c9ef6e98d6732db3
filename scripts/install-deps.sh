#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Parlonex needs.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    qt6-translations-l10n libgl-dev
    libopencc-dev opencc libopencc-data
    libgettextpo-dev gettext zlib1g-dev
    # the C++ files' layout, checked by CI
    clang-format
    # web pages in tabs (optional at build time; without it they open in the desktop's browser)
    qt6-webengine-dev
    # tests: headless display and the checkers of each file format
    xvfb xauth
    # tests: the self-signed certificate of the local TLS test server
    openssl
    # tests: GNUstep's .strings parser (sfparse, plget)
    gnustep-base-runtime
    # the program: Chinese and Japanese texts and the source column's mark (U+1F4F0)
    fonts-noto-cjk fonts-noto-color-emoji
    # bench: the local stand-in LLM service of parlonex-bench translate
    python3
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The JSON checks run the i18next library (installed by the build with npm) under Node.js;
# one that is already installed, from Debian or elsewhere, will do.
command -v node >/dev/null 2>&1 || missing+=(nodejs)
command -v npm >/dev/null 2>&1 || missing+=(npm)
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
