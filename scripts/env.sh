# Shared settings of the project's scripts; sourced, not run.
ZENTARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZENTARO_CACHE="$ZENTARO_ROOT/.cache"
BUILD_X64="$ZENTARO_ROOT/build/x86_64"
BUILD_X86="$ZENTARO_ROOT/build/i686"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX="${ZENTARO_WINEPREFIX:-$ZENTARO_CACHE/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko download prompts: a prompt would hang a headless run.
export WINEDLLOVERRIDES="mscoree,mshtml="

# The environment Zentaro runs in: a Simplified-Chinese locale, so Wine's
# ANSI code page is 936.
zentaro_wine_env() {
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
}

# Starts Xvfb on a free display and exports DISPLAY; ZENTARO_XVFB_PID names it.
zentaro_start_xvfb() {
  local size=${1:-1920x1080x24} n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
    ZENTARO_XVFB_PID=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$ZENTARO_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}
