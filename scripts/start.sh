#!/usr/bin/env bash
# Installs what is missing, builds Vintrax and starts it on the bundled demo catalogue, with a settings
# folder of its own inside the build (build/demo-config). The settings are seeded, only when there are
# none yet, with the demo games and music folders; the first start still shows the introductory notes.
# When sidplayfp is installed and no SID player is set yet, it becomes the player, so the demo tunes play
# with no set-up (scripts/demo-settings.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2

program="$PWD/build/Vintrax"
config="$PWD/build/demo-config"
ini="$config/Vintrax/Vintrax.ini"
bash scripts/demo-settings.sh "$ini" "$program"
XDG_CONFIG_HOME="$config" exec "$program/vintrax"
