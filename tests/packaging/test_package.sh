#!/usr/bin/env bash
# test_package.sh BUILD APPID VERSION: the Debian package made by CPack, unpacked with dpkg-deb and checked by
# desktop-file-validate and appstreamcli; its program run offscreen as nobody with a fresh home: first run, SIGKILL
# during it, SIGTERM during the first-run notes and later, a second run, a deleted catalogue; no write below the root.
set -euo pipefail
build=$1 id=$2 version=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
fail() { echo "FAIL: $*" >&2; [ -f "$tmp/out" ] && sed 's/^/  program: /' "$tmp/out" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; fail cpack; }
deb="$tmp/pkg/vintrax_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$tmp/pkg")"
[ "$(dpkg-deb -f "$deb" Section)/$(dpkg-deb -f "$deb" Recommends)/$(dpkg-deb -f "$deb" Suggests)" = \
    "games/sidplayfp/wine, dosbox" ] || fail "fields: $(dpkg-deb -f "$deb")"
dpkg-deb -f "$deb" Depends | grep 'libqt6sql6-sqlite' | grep -q 'libqt6widgets6' || fail "$(dpkg-deb -f "$deb" Depends)"
root="$tmp/root" share="$tmp/root/usr/share"
dpkg-deb -x "$deb" "$root"
for f in libexec/vintrax/{starlynx,maketape,vintrax-wine,vintrax-dosbox} share/vintrax/vintrax.{txt,htm} \
    share/doc/vintrax/copyright share/icons/hicolor/{16x16,256x256}/apps/"$id".png; do
    [ -e "$root/usr/$f" ] || fail "not in the package: $f"
done
desktop-file-validate "$share/applications/$id.desktop" || fail desktop-file-validate
grep -qx "Exec=vintrax" "$share/applications/$id.desktop" || fail "Exec line"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >"$tmp/as.log" 2>&1 || { cat "$tmp/as.log"; fail appstreamcli; }

snapshot() { (cd "$root" && find . -printf '%p %s %T@ %m %u\n' | sort); }
before=$(snapshot)
home="$tmp/home" data="$tmp/home/.local/share/Vintrax" ini="$tmp/home/.config/Vintrax/Vintrax.ini"
fresh() { rm -rf "$home" "$tmp/run" && mkdir -p "$home" "$tmp/run" && chown nobody: "$home" "$tmp/run" && chmod 700 "$tmp/run"; }
run() { # the installed program in the background, started as the desktop entry does: its pid in $pid
    setpriv --reuid=nobody --regid=nogroup --clear-groups env -i HOME="$home" PATH="$root/usr/bin:/usr/bin:/bin" \
        XDG_RUNTIME_DIR="$tmp/run" QT_QPA_PLATFORM=offscreen vintrax >"$tmp/out" 2>&1 &
    pid=$!
}
waitFor() { for _ in $(seq 200); do eval "$1" && return 0; sleep 0.1; done; fail "waited in vain for: $1"; }
endWith() { # SIGTERM once the program holds its instance lock; $1 is the exit status expected
    waitFor '[ -e "$tmp/run/vintrax.lock" ]'
    kill -TERM "$pid"
    status=0 && wait "$pid" || status=$?
    [ "$status" = "$1" ] || fail "exit status $status after SIGTERM, expected $1"
}
games() { sqlite3 "$data/Vintrax.mdb" "PRAGMA integrity_check; SELECT count(*) FROM Games;" | tr '\n' ' '; }
demo="ok $(sqlite3 "$share/vintrax/demo/Vintrax.mdb" "SELECT count(*) FROM Games;") "

for delay in 0 0.02 0.04 0.06 0.08 0.1 0.15 0.2; do
    fresh && run && sleep "$delay" && kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
    [ ! -e "$data" ] || { [ "$(games)" = "$demo" ] && ls "$data/Screenshots" | grep -q gif; } ||
        fail "a first run killed after $delay s left $(ls -R "$data")"
done

fresh && run && endWith 0
[ "$(games)" = "$demo" ] && [ "$(stat -c %U "$data/Vintrax.mdb")" = nobody ] || fail "first run: $(games)"
ls "$data/Screenshots" | grep -q '\.gif$' || fail "no demo screenshots"
grep -qx "GamesPath=$share/vintrax/demo/Games" "$ini" && grep -qx "V13Start=True" "$ini" ||
    fail "games path not preset, or settings not written at SIGTERM: $(cat "$ini")"

kept="SELECT count(*) FROM Games WHERE \"Personal Comment\"='kept'"
sqlite3 "$data/Vintrax.mdb" "UPDATE Games SET \"Personal Comment\"='kept' WHERE rowid=(SELECT min(rowid) FROM Games);"
run && endWith 0
[ "$(sqlite3 "$data/Vintrax.mdb" "$kept")" = 1 ] || fail "the second run did not keep the catalogue"

rm "$data/Vintrax.mdb"
run && waitFor 'grep -q "Cannot find .Vintrax.mdb. in the .$data. directory" "$tmp/out"' && endWith 1
[ ! -e "$data/Vintrax.mdb" ] || fail "a deleted catalogue was made again"

[ "$(snapshot)" = "$before" ] || fail "written below the unpacked root: $(diff <(echo "$before") <(snapshot))"
echo "package $(basename "$deb") passed"
