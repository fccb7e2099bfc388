#!/usr/bin/env bash
# Installs the Debian packages Vintrax needs to build and test, only when one is missing.
set -euo pipefail
pkgs=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6sql6-sqlite qt6-base-dev-tools
  libarchive-dev liblhasa-dev libgif-dev
  sqlite3 libsqlite3-dev
  # test oracles: tools nobody here wrote, used to make and check fixtures
  gzip zip unzip jlha-utils imagemagick cbmconvert cc1541 sidplayfp
  strace  # counts the sync calls of an extraction
  libbenchmark-dev
  # the Debian package and its checks (cpack -G DEB, desktop-file-validate, appstreamcli)
  dpkg-dev desktop-file-utils appstream
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
