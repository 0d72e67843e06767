#!/usr/bin/env bash
# rigbench's command line. With no display at all: --help and --version answer (status 0, standard
# output only, no file made), Qt's own options are let through, an unknown option is refused with
# status 2 instead of being opened as a file or aborting for want of a display, as is a --lang that is
# neither ja nor en. Under Xvfb: two
# models at once are refused before any window opens.
# Arguments: the built rigbench, the version it must report.
set -uo pipefail
rigbench=$1 version=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1

# Runs rigbench with no display; sets status, and leaves its output in out and err.
headless() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$rigbench" "$@" >out 2>err
  status=$?
}

for option in --help -h; do
  headless "$option"
  [ "$status" = 0 ] || fail "rigbench $option without a display ended with status $status: $(cat err)"
  head -1 out | grep -q '^usage: rigbench ' || fail "rigbench $option does not start with its usage: $(head -1 out)"
  for word in --version MODEL; do grep -q -- "$word" out || fail "rigbench $option does not mention $word"; done
  [ ! -s err ] || fail "rigbench $option wrote to standard error: $(cat err)"
done
cp out help.txt
headless some.model --help
cmp -s out help.txt || fail "rigbench some.model --help did not print the help"
[ -z "$(ls -A | grep -v -x -e out -e err -e help.txt)" ] || fail "rigbench --help made files: $(ls -A)"

for option in --version -v "-platform offscreen --version"; do
  # shellcheck disable=SC2086  # the last case is two words on purpose
  headless $option
  [ "$status" = 0 ] && [ "$(cat out)" = "rigbench $version" ] ||
    fail "rigbench $option: status $status, printed '$(cat out)' $(cat err)"
done

headless --no-such-option
[ "$status" = 2 ] || fail "an unknown option ended with status $status, not 2"
grep -q 'no-such-option' err || fail "the refusal does not name the option: $(cat err)"
[ ! -s out ] || fail "the refusal printed on standard output: $(cat out)"

# --lang takes ja or en; anything else is refused before a window could open, naming the word.
for bad in "--lang fr" "--lang=EN" "--lang"; do
  # shellcheck disable=SC2086  # two words on purpose
  headless $bad
  [ "$status" = 2 ] || fail "rigbench $bad ended with status $status, not 2"
  grep -q -- 'lang' err || fail "the refusal of $bad does not name --lang: $(cat err)"
  [ ! -s out ] || fail "the refusal of $bad printed on standard output: $(cat out)"
done
headless --lang fr
grep -q "'fr'" err || fail "the refusal of --lang fr does not name fr: $(cat err)"
for good in "--lang ja" "--lang=en"; do
  # shellcheck disable=SC2086
  headless $good --version
  [ "$status" = 0 ] && [ "$(cat out)" = "rigbench $version" ] || fail "rigbench $good --version: status $status $(cat err)"
done

if command -v xvfb-run >/dev/null; then
  # rigbench's own status, kept in a file: xvfb-run's differs when its clean-up stumbles.
  xvfb-run -a -s "-screen 0 640x480x24" env QT_QPA_PLATFORM=xcb \
    sh -c 'timeout 20 "$0" a.model b.model >out 2>err; echo $? >status' "$rigbench"
  status=$(cat status 2>/dev/null)
  [ "$status" = 2 ] && grep -q 'one model at a time' err ||
    fail "two models at once: status $status, $(cat err)"
else
  fail "xvfb-run missing: run scripts/install-deps"
fi

echo "rigbench command line: $failures failures"
[ "$failures" = 0 ]
