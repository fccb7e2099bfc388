#!/usr/bin/env bash
# Seeds the demo's settings file: demo-settings.sh INI PROGRAMFOLDER. Only when the file is not there yet, it
# gets the demo games and music folders. When sidplayfp is on the PATH and the file names no SID player yet,
# sidplayfp becomes the player, so the demo tunes play with no set-up; a player the user set, or cleared, in
# the preferences stays as it is. The file is replaced whole, never written in place.
set -euo pipefail
ini="$1"
program="$2"
if [ ! -e "$ini" ]; then
    mkdir -p "$(dirname "$ini")"
    printf '[Startup]\nGamesPath=%s\nMusicPath=%s\n' "$program/Demo/Games" "$program/Demo/Music" > "$ini.tmp"
    mv "$ini.tmp" "$ini"
fi
player="$(command -v sidplayfp || true)"
# Whether the [Startup] group names a player (the same key in another group is not the program's).
named=$(awk '/^\[.*\][[:space:]]*$/ { startup = ($0 ~ /^\[Startup\]/) }
             startup && /^SidplayWPath[[:space:]]*=/ { found = 1 }
             END { print found + 0 }' "$ini")
if [ -n "$player" ] && [ "$named" = 0 ]; then
    # Into the [Startup] group, which is added when the file has none.
    awk -v line="SidplayWPath=$player" '
        { print }
        /^\[Startup\][[:space:]]*$/ && !done { print line; done = 1 }
        END { if (!done) { print "[Startup]"; print line } }' "$ini" > "$ini.tmp"
    mv "$ini.tmp" "$ini"
fi
