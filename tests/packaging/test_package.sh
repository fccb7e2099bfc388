#!/usr/bin/env bash
# test_package.sh BUILD APPID VERSION: the Debian package as a user gets it. CPack makes it, dpkg-deb unpacks it
# into a temporary root, desktop-file-validate and appstreamcli check its desktop entry and metainfo, and the
# installed program runs offscreen as a user who is not root (nobody, through setpriv) with a fresh home:
#   - its first run makes the data folder with the demo catalogue, and SIGTERM (during the first-run notes) ends it
#     with status 0 after it wrote its settings;
#   - killed with SIGKILL at any moment of a first run, it leaves the data folder whole or not there at all;
#   - a second run keeps the same catalogue; a catalogue deleted after that is reported, never made again;
#   - nothing is ever written below the unpacked root.
set -euo pipefail
build=$1 id=$2 version=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
fail() { echo "FAIL: $*" >&2; [ -f "$tmp/out" ] && sed 's/^/  program: /' "$tmp/out" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; fail cpack; }
deb="$tmp/pkg/vintrax_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$tmp/pkg")"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Section)" = games ] || fail "section $(field Section)"
field Depends | grep -q 'libqt6sql6-sqlite' || fail "depends: $(field Depends)"
field Depends | grep -q 'libqt6widgets6' || fail "no shared-library dependencies: $(field Depends)"
[ "$(field Recommends)" = sidplayfp ] && [ "$(field Suggests)" = "wine, dosbox" ] || fail "recommends/suggests"

root="$tmp/root"
dpkg-deb -x "$deb" "$root"
share="$root/usr/share"
for f in usr/bin/vintrax usr/libexec/vintrax/{bmp2gif,gunzip,lha,zip2d64,starlynx,maketape,vintrax-wine,vintrax-dosbox} \
    usr/share/vintrax/{vintrax.txt,vintrax.htm,demo/Vintrax.mdb,demo/Games,demo/Music} \
    usr/share/icons/hicolor/{16x16,48x48,256x256}/apps/"$id".png usr/share/doc/vintrax/copyright; do
    [ -e "$root/$f" ] || fail "not in the package: $f"
done
desktop-file-validate "$share/applications/$id.desktop" || fail desktop-file-validate
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >"$tmp/as.log" 2>&1 || { cat "$tmp/as.log"; fail appstreamcli; }
grep -qx "Exec=vintrax" "$share/applications/$id.desktop" || fail "Exec line"

snapshot() { (cd "$root" && find . -printf '%p %s %T@ %m %u\n' | sort); }
before=$(snapshot)
home="$tmp/home"
data="$home/.local/share/Vintrax"
ini="$home/.config/Vintrax/Vintrax.ini"
start() {
    rm -rf "$home" "$tmp/run" && mkdir -p "$home" "$tmp/run"
    chown nobody: "$home" "$tmp/run"
    chmod 700 "$tmp/run"
}
run() { # the installed program in the background, as the desktop entry starts it: its pid in $pid
    setpriv --reuid=nobody --regid=nogroup --clear-groups env -i HOME="$home" PATH="$root/usr/bin:/usr/bin:/bin" \
        XDG_RUNTIME_DIR="$tmp/run" QT_QPA_PLATFORM=offscreen vintrax >"$tmp/out" 2>&1 &
    pid=$!
}
waitFor() { # a test, up to 20 s
    for _ in $(seq 200); do eval "$1" && return 0; sleep 0.1; done
    fail "waited in vain for: $1"
}
endWith() { # SIGTERM once the program holds its instance lock; its exit status must be $1
    waitFor '[ -e "$tmp/run/vintrax.lock" ]'
    kill -TERM "$pid"
    status=0
    wait "$pid" || status=$?
    [ "$status" = "$1" ] || fail "exit status $status after SIGTERM, expected $1"
}
games() { sqlite3 "$data/Vintrax.mdb" "PRAGMA integrity_check; SELECT count(*) FROM Games;" | tr '\n' ' '; }
demoGames=$(sqlite3 "$share/vintrax/demo/Vintrax.mdb" "SELECT count(*) FROM Games;")

# Killed at any moment of its first run: afterwards the data folder is there whole, or not at all.
for delay in 0 0.02 0.04 0.06 0.08 0.1 0.15 0.2; do
    start
    run
    sleep "$delay"
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
    if [ -e "$data" ]; then
        [ "$(games)" = "ok $demoGames " ] && [ "$(ls "$data/Screenshots" | wc -l)" -gt 0 ] ||
            fail "a first run killed after $delay s left $(ls -R "$data")"
    fi
done

start
run
endWith 0
[ "$(games)" = "ok $demoGames " ] || fail "first run: catalogue $(games)"
[ "$(stat -c %U "$data/Vintrax.mdb")" = nobody ] || fail "the catalogue is not the user's"
ls "$data/Screenshots" | grep -q '\.gif$' || fail "no demo screenshots"
grep -qx "GamesPath=$share/vintrax/demo/Games" "$ini" || fail "games path not preset: $(cat "$ini")"
grep -qx "V13Start=True" "$ini" || fail "settings not written at SIGTERM: $(cat "$ini")"

sqlite3 "$data/Vintrax.mdb" "UPDATE Games SET \"Personal Comment\"='kept' WHERE rowid=(SELECT min(rowid) FROM Games);"
run
endWith 0
[ "$(sqlite3 "$data/Vintrax.mdb" "SELECT count(*) FROM Games WHERE \"Personal Comment\"='kept';")" = 1 ] ||
    fail "the second run did not keep the catalogue"

rm "$data/Vintrax.mdb"
run
waitFor 'grep -q "Cannot find .Vintrax.mdb. in the .$data. directory" "$tmp/out"'
endWith 1
[ ! -e "$data/Vintrax.mdb" ] || fail "a deleted catalogue was made again"

[ "$(snapshot)" = "$before" ] || fail "written below the unpacked root: $(diff <(echo "$before") <(snapshot))"
echo "package $(basename "$deb") passed"
