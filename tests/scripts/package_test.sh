#!/usr/bin/env bash
# The release package as a Windows user gets it: scripts/package writes the
# zip; it holds exactly Ovistra.exe, README.txt and LICENSE (never the
# stand-in client library); the packed program names the package's version
# and, unpacked and started under this run's Wine, shows its window.
# Runs inside the test command's Wine session (WINEPREFIX and DISPLAY set).
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=$1  # the test build's bin folder, for the stand-in client library
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

zip=$("$root/scripts/package" | tail -n 1) || { echo "FAILED: scripts/package"; exit 1; }
version=$(git -C "$root" describe --tags --always --dirty 2>/dev/null || echo 1.0.0)
[ "$(basename "$zip")" = "Ovistra-$version-win32.zip" ] || fail "zip named $(basename "$zip")"

work=$(mktemp -d)
program_pid=""
trap '[ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null; rm -rf "$work"' EXIT
python3 - "$zip" "$work" <<'PY' || fail "the zip's contents"
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as archive:
    names = sorted(archive.namelist())
    if names != ["LICENSE", "Ovistra.exe", "README.txt"]:
        sys.exit(f"unexpected contents: {names}")
    if b"MIT License" not in archive.read("LICENSE"):
        sys.exit("LICENSE is not the MIT license")
    if b"Pause" not in archive.read("README.txt"):
        sys.exit("README.txt does not name the Pause key")
    archive.extractall(sys.argv[2])
PY
[ -f "$work/Ovistra.exe" ] || { echo "FAILED: no Ovistra.exe unpacked"; exit 1; }
# The version resource holds the same text (UTF-16 in the resource).
strings -el "$work/Ovistra.exe" | grep -qx -- "$version" || fail "version $version not in the version resource"
[ "$(i686-w64-mingw32-objdump -t "$work/Ovistra.exe" | grep -c '^\[')" -eq 0 ] || fail "the program is not stripped"

# Started as a user starts it, with a client library beside it so that no
# box stands before the window.
cp "$bin/QuorvexClients.dll" "$work/"
(cd "$work" && exec wine Ovistra.exe >/dev/null 2>&1) &
program_pid=$!
if ! timeout 300 xdotool search --sync --onlyvisible --name '^Ovistra$' >/dev/null 2>&1; then
  fail "the packed program showed no window"
fi
kill "$program_pid" 2>/dev/null
wait "$program_pid" 2>/dev/null
program_pid=""

[ "$failures" -eq 0 ] && echo "package_test: $(basename "$zip") checked"
exit "$failures"
