# Sourced by the emulator bridges, which set "me" to their name first: the helper tool beside them, a failure with a
# one-line reason on stderr, "--check" (only find out whether the emulator could be started, changing nothing), the
# signal that the emulator takes over, and the image and entry of the emulator's last argument "IMAGE,N", split at its
# last comma (file names such as "Last Ninja, The.d64" hold commas of their own).
# shellcheck disable=SC2034,SC2154 # "tool" and "checkOnly" are for the bridges, "me" comes from them
set -u
tool=$(dirname "$(readlink -f "$0")")/vintrax-bridgetool
fail() {
    printf '%s: %s\n' "$me" "$*" >&2
    exit 1
}
checkOnly=false
if [ "${1:-}" = --check ]; then
    checkOnly=true
    shift
fi
# Vintrax names a file in VINTRAX_BRIDGE_READY: made once the bridge's own slow part is over and the emulator starts,
# it tells Vintrax that a failure from then on is the emulator's.
ready() {
    [ -z "${VINTRAX_BRIDGE_READY:-}" ] || : >"$VINTRAX_BRIDGE_READY" || true
}
splitGame() {
    image=${1%,*} entry=${1##*,}
    case $1 in *,*) ;; *) fail "no entry number after the image: $1" ;; esac
    case $entry in '' | *[!0-9]*) fail "the entry is not a number: $entry" ;; esac
    [ -f "$image" ] || fail "the image is missing: $image"
}
