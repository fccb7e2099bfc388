# Sourced by the emulator bridges, which set "me" to their name first: the helper tool beside them, a failure with a
# one-line reason on stderr, and the image and entry of the emulator's last argument "IMAGE,N", split at its last
# comma (file names such as "Last Ninja, The.d64" hold commas of their own).
# shellcheck disable=SC2034,SC2154 # "tool" is for the bridges, "me" comes from them
set -u
tool=$(dirname "$(readlink -f "$0")")/vintrax-bridgetool
fail() {
    printf '%s: %s\n' "$me" "$*" >&2
    exit 1
}
splitGame() {
    image=${1%,*} entry=${1##*,}
    case $1 in *,*) ;; *) fail "no entry number after the image: $1" ;; esac
    case $entry in '' | *[!0-9]*) fail "the entry is not a number: $entry" ;; esac
    [ -f "$image" ] || fail "the image is missing: $image"
}
