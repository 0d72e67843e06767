#!/usr/bin/env bash
# Every script and program answers --help and -h with a usage text on standard output and status 0,
# and does nothing else (a script that ran its work instead would take far longer than the limit).
# Arguments: the source folder, then the built programs ("missing:NAME" for one this build lacks).
set -uo pipefail
source=$1; shift
commands=("$source/scripts/play" "$source/scripts/test" "$source/scripts/install-deps" "$source/scripts/fuzz"
          "$source/scripts/soak" "$source/scripts/package"
          "$source/bench/run-shell-bench" "$source/bench/run-stage-bench" "$source/bench/first-play-time"
          "$source/docs/make-screenshots" "$@")
failed=0 checked=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for command in "${commands[@]}"; do
  if [[ "$command" == missing:* ]]; then
    checked=$((checked + 1)); failed=$((failed + 1))
    echo "FAIL: ${command#missing:} is not built here (its tools missing? run scripts/install-deps)"
    continue
  fi
  for option in --help -h; do
    checked=$((checked + 1))
    (cd "$scratch" && timeout 20 "$command" "$option" >"$scratch/out" 2>"$scratch/err")
    status=$?
    name=$(basename "$command")
    if [ "$status" -ne 0 ]; then
      echo "FAIL: $name $option ended with status $status"; failed=$((failed + 1)); continue
    fi
    if ! grep -q "usage" "$scratch/out" || ! grep -q "$name" "$scratch/out"; then
      echo "FAIL: $name $option printed no usage naming it:"; cat "$scratch/out"; failed=$((failed + 1)); continue
    fi
    if [ -s "$scratch/err" ]; then
      echo "FAIL: $name $option wrote to standard error:"; cat "$scratch/err"; failed=$((failed + 1)); continue
    fi
    if [ -n "$(ls -A "$scratch" | grep -v -x -e out -e err)" ]; then
      echo "FAIL: $name $option left files behind: $(ls -A "$scratch")"; failed=$((failed + 1)); continue
    fi
    echo "ok: $name $option"
  done
done
echo "help texts: $((checked - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
