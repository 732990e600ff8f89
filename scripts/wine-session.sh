# Sourced by scripts/run and scripts/test: a Wine prefix and an X display.
#
# wine_prefix DIR   makes DIR a Wine prefix: a copy of a template prefix kept
#                   in build/, which is created once (wineboot is slow).
# private_display   starts Xvfb on a free display and exports DISPLAY.
# end_session       stops the prefix's wineserver and the private Xvfb.

export WINEDEBUG=-all
# Through qemu's user-mode emulator, Windows' structured-exception unwinding
# fails inside Wine: a COM call whose server dies under it ends the calling
# process. Tests of a dying server skip themselves there.
if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386; then
  export OVISTRA_EMULATED_I386=1
fi
export WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""

wine_prefix() {
  local target=$1 template="$root/build/wine-template"
  if [ ! -f "$template/.ready" ]; then
    rm -rf "$template"
    echo "Creating the Wine prefix (once; this takes a few minutes)..."
    WINEPREFIX="$template" wineboot -i >/dev/null 2>&1
    # Unmanaged windows carry Wine's own frame and close at once without a
    # window manager.
    WINEPREFIX="$template" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A crash ends the process instead of starting the debugger.
    WINEPREFIX="$template" wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
      /v Debugger /d '' /f >/dev/null 2>&1
    WINEPREFIX="$template" wineserver -w
    touch "$template/.ready"
  fi
  if [ "$target" != "$template" ] && [ ! -f "$target/.ready" ]; then
    rm -rf "$target"
    cp -a "$template" "$target"
  fi
  export WINEPREFIX="$target"
}

private_display() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
  done
  echo "Cannot start Xvfb" >&2
  return 1
}

end_session() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
