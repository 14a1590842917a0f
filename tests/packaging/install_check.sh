#!/usr/bin/env bash
# Installs into a scratch folder, makes the installed tree read-only, and runs
# the installed program there with a fresh home: it starts, keeps two laws in
# the history, finds them at the next start, and changes nothing installed.
#   install_check.sh BUILD_DIR DRIVER
set -euo pipefail
build=$1
driver=$2
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
fail() { echo "install check: $*" >&2; exit 1; }

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
usr="$scratch/root/usr"
# Beside the installed program, the driver finds the installed data as it does.
cp "$driver" "$usr/bin/"
tree_sum() { (cd "$usr/share" && find . -type f -print0 | sort -z | xargs -0 sha256sum | sha256sum); }
before=$(tree_sum)
db_before=$(sha256sum < "$usr/share/selvara/edudataD.mdb")
chmod -R a-w "$usr"

export HOME="$scratch/home"
mkdir -p "$HOME"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR
export QT_QPA_PLATFORM=offscreen

"$usr/bin/selvara" --version | grep -q '^Selvara [0-9]' || fail "--version"
"$usr/bin/selvara" --help | grep -q "$usr/share/selvara" || fail "--help does not name the installed folder"

driver_name=$(basename "$driver")
kept=$("$usr/bin/$driver_name" keep 2) || fail "the first start failed"
[ "$(echo "$kept" | wc -l)" -eq 2 ] || fail "two laws were not kept: $kept"
found=$("$usr/bin/$driver_name" list) || fail "the second start failed"
[ "$found" = "$kept" ] || fail "the history came back as '$found', not '$kept'"
ls "$HOME"/.local/share/*/history.txt >/dev/null 2>&1 || fail "no history in the user's data folder"

# The installed program itself starts on the tree and stays up until stopped.
set +e
timeout 4 "$usr/bin/selvara" >/dev/null 2>&1
status=$?
set -e
[ $status -eq 124 ] || fail "the installed program ended with status $status"

[ "$(sha256sum < "$usr/share/selvara/edudataD.mdb")" = "$db_before" ] || fail "the installed database changed"
[ "$(tree_sum)" = "$before" ] || fail "the installed tree changed"
echo "install check passed"
