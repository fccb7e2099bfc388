#!/usr/bin/env bash
# Installs what is missing, builds Vintrax and starts it on the bundled demo catalogue, with a settings
# folder of its own inside the build (build/demo-config). The settings are seeded, only when there are
# none yet, with the demo games and music folders; the first start still shows the introductory notes.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2

program="$PWD/build/Vintrax"
config="$PWD/build/demo-config"
ini="$config/Vintrax/Vintrax.ini"
if [ ! -e "$ini" ]; then
    mkdir -p "$config/Vintrax"
    printf '[Startup]\nGamesPath=%s\nMusicPath=%s\n' "$program/Demo/Games" "$program/Demo/Music" > "$ini.tmp"
    mv "$ini.tmp" "$ini"
fi
XDG_CONFIG_HOME="$config" exec "$program/vintrax"
