# The opening the shell tests share that start the game's window from an install or a package:
# the tools they need present, a display (the test runs itself again under Xvfb when there is none),
# sound and GL set up for a machine without either, a failure counter and a scratch folder that is
# removed, with any game left running, when the test ends.
# Source it, then: window_test_begin bash "$0" "$@" -- tool...; the test sets `game` to a game's process id.

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

require_tools() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then echo "FAIL: $tool missing: run scripts/install-deps"; exit 1; fi
  done
}

window_test_cleanup() {
  if [ -n "$game" ]; then kill -KILL "$game" 2>/dev/null || true; fi
  rm -rf "$tmp"
}

window_test_begin() {
  local command=()
  while [ "$1" != -- ]; do command+=("$1"); shift; done
  shift
  require_tools "$@"
  if [ -z "${DISPLAY:-}" ]; then
    require_tools xvfb-run
    exec xvfb-run -a -s "-screen 0 1024x768x24" "${command[@]}"
  fi
  export ALSOFT_DRIVERS=null MESA_SHADER_CACHE_DISABLE=true
  # Under the address sanitizer the game's exit-time leak check would report the GL driver's memory.
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
  # A test's own home folder must not cost the X connection its authority.
  export XAUTHORITY="${XAUTHORITY:-$HOME/.Xauthority}"
  failures=0
  game=""
  tmp=$(mktemp -d)
  trap window_test_cleanup EXIT
}
