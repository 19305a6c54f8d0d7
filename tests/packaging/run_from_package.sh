#!/usr/bin/env bash
# Runs the programs of an unpacked package (dpkg-deb -x tessaly_<version>_amd64.deb ROOT) as a
# user runs them from /usr: a temporary HOME without XDG variables, an empty working folder.
# The program must start and keep running, tessaly-cli analyze and report must work, and the
# only files written are the outputs asked for and files below HOME's XDG folders; the
# unpacked tree and the working folder stay as they were. Needs a display (xvfb-run).
#   run_from_package.sh ROOT
# check_package.sh runs it on the package it builds.
set -euo pipefail
root=$(readlink -f "$1")
bin=$root/usr/bin

work=$(mktemp -d)
app=""
finish() {
    [ -z "$app" ] || { kill "$app" 2>/dev/null; wait "$app" 2>/dev/null || true; }
    chmod -R u+w "$root"
    rm -rf "$work"
}
trap finish EXIT
mkdir -p "$work/home" "$work/cwd" "$work/in" "$work/out"
fail() {
    echo "FAIL: $*"
    exit 1
}
# Path, size and modification time of everything below a folder.
snapshot() { (cd "$1" && find . -printf '%p %s %T@\n' | sort); }

snapshot "$root" >"$work/root.before"
chmod -R a-w "$root"

export HOME=$work/home
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME XDG_STATE_HOME
cd "$work/cwd"

"$bin/plate-sim" --write-raw "$work/in/standing.raw" --seconds 3 --rate 200 >/dev/null ||
    fail "plate-sim --write-raw"
"$bin/tessaly-cli" analyze "$work/in/standing.raw" --json >"$work/out/analysis.json" ||
    fail "tessaly-cli analyze"
grep -q '^{' "$work/out/analysis.json" || fail "tessaly-cli analyze printed no JSON"
"$bin/tessaly-cli" report "$work/in/standing.raw" --out "$work/out/report.pdf" ||
    fail "tessaly-cli report"
head -c 5 "$work/out/report.pdf" | grep -q '%PDF-' || fail "tessaly-cli report wrote no PDF"

"$bin/tessaly" "$work/in/standing.raw" >"$work/out/program.log" 2>&1 &
app=$!
sleep 8
kill -0 "$app" 2>/dev/null || { cat "$work/out/program.log"; fail "the program ended at start"; }
kill "$app"
wait "$app" 2>/dev/null || true
app=""

snapshot "$root" >"$work/root.after"
changed=$(diff "$work/root.before" "$work/root.after" | grep '^[<>]' | head -n 20 || true)
[ -z "$changed" ] || fail "the unpacked tree changed: $changed"
[ -z "$(ls -A "$work/cwd")" ] || fail "files in the working folder: $(ls -A "$work/cwd")"
stray=$(cd "$HOME" && find . -type f | grep -v -e '^\./\.local/share/tessaly/' \
    -e '^\./\.config/tessaly/' -e '^\./\.cache/' || true)
[ -z "$stray" ] || fail "written outside the XDG folders: $stray"
echo "ran from $root; HOME holds: $(cd "$HOME" && find . -type f | wc -l) files"
