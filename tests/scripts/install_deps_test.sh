#!/usr/bin/env bash
# The install step against a stand-in apt-get that behaves as a mirror in
# the middle of a sync does: one index fails to update, and the first
# install is refused until candidates come from the release's own suite.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../scripts/install-deps
source "$here/../../scripts/install-deps"
set +e
sudo=""
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# The stand-in apt-get: logs each call; MODE says how the mirror behaves.
cat >"$work/apt-get" <<'FAKE'
#!/usr/bin/env bash
echo "$*" >>"$APT_LOG"
case "$1" in
  update) [ "$MODE" = healthy ] || { echo "E: Some index files failed to download." >&2; exit 100; } ;;
  install)
    case "$MODE" in
      healthy) ;;
      out-of-step) [[ " $* " == *" -o APT::Default-Release="* ]] || { echo "E: You have held broken packages."; exit 100; } ;;
      broken) echo "E: Unable to locate package no-such-package"; exit 100 ;;
    esac ;;
esac
FAKE
chmod +x "$work/apt-get"
apt_get="$work/apt-get"
export APT_LOG="$work/calls"

check() { # what, expected, actual
  if [ "$2" != "$3" ]; then
    printf 'FAILED: %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}
release=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")

export MODE=healthy; : >"$APT_LOG"
install_packages pkg-a pkg-b 2>"$work/err"
check "a healthy mirror installs at once" "0 | 1 | " "$? | $(wc -l <"$APT_LOG") | $(cat "$work/err")"

export MODE=out-of-step; : >"$APT_LOG"
update_indexes 2>"$work/err"
check "a failed index does not stop the install" "0" "$?"
grep -q "did not update" "$work/err"; check "the failed update is reported" "0" "$?"
install_packages pkg-a pkg-b 2>"$work/err"
check "an out-of-step mirror installs on the retry" "0" "$?"
check "the retry prefers the release's suite" \
  "install -y -qq --no-install-recommends -o APT::Default-Release=$release pkg-a pkg-b" "$(sed -n 3p "$APT_LOG")"
check "the retry is said in one line" "1" "$(wc -l <"$work/err")"

export MODE=broken; : >"$APT_LOG"
install_packages no-such-package 2>"$work/err"
check "a real refusal fails" "1" "$?"
check "it is tried twice, no more" "2" "$(wc -l <"$APT_LOG")"
grep -q "Unable to locate package no-such-package" "$work/err"; check "apt's own message is shown" "0" "$?"

if [ "$failures" -eq 0 ]; then echo "install_deps_test: every check passed"; fi
exit "$failures"
