#!/usr/bin/env bash
# The installed game, end to end: `cmake --install` into a scratch prefix, the desktop entry and icon
# checked, the installed data set compared with the built one, the launcher started (through a link,
# from an unrelated folder, with a user who already has settings of their own and a link left over
# from an older installation), the window it opens checked for the user's title, size and the game's
# icon, the settings and working folder it prepares checked, the game played into stage 1 from that
# folder, and finally the README's uninstall, which must leave nothing behind in the prefix.
# Arguments: cmake, the build folder, the built puppet-replay, the desktop entry's id.
set -euo pipefail
cmake=$1 build=$2 replay=$3 entry_id=$4

source "$(dirname "$0")/../../../scripts/lib/window_test.sh"
window_test_begin bash "$0" "$@" -- desktop-file-validate xwininfo xprop
prefix=$tmp/prefix
home=$tmp/home
share=$prefix/share/dolvane

"$cmake" --install "$build" --prefix "$prefix" --component game
manifest=$build/install_manifest_game.txt

# What the prefix holds.
for file in bin/puppet libexec/dolvane/puppet share/applications/$entry_id.desktop; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/puppet" ] && [ -x "$prefix/libexec/dolvane/puppet" ] || fail "the launcher or the program is not executable"
if ! diff -r -x debug.cfg "$build/run/data" "$share/data" >"$tmp/data.diff" ||
   ! diff -r "$build/run/config" "$share/config" >>"$tmp/data.diff"; then
  fail "the installed data set differs from the built one:"; head -20 "$tmp/data.diff"
fi
[ ! -e "$share/data/debug.cfg" ] || fail "the developer's debug.cfg was installed"

desktop=$prefix/share/applications/$entry_id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
grep -qx 'Name=Dolvane!' "$desktop" || fail "the desktop entry's name is not the window title"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$exec_line" = "$prefix/bin/puppet" ] || fail "the desktop entry starts '$exec_line', not the installed launcher"
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
for size in 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/$icon_name.png
  found=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print(*struct.unpack(">II", d[16:24]) if d[:8]==b"\x89PNG\r\n\x1a\n" else "none")' "$icon" 2>/dev/null || echo none)
  [ "$found" = "$size $size" ] || fail "the icon $icon_name is not a ${size}x$size PNG (size: $found)"
done

# A user who has played an older installation: their own window settings, and a link to a data set
# that is gone.
config=$home/.config/dolvane
work=$home/.local/state/dolvane
mkdir -p "$config" "$work"
printf 'name=Installed Dolvane\nwidth=320\nheight=240\nicon=data\\icon.png\n' >"$config/window.txt"
cp "$config/window.txt" "$tmp/window.txt.mine"
ln -s /nonexistent/old-prefix/share/dolvane/data "$work/data"

mkdir -p "$tmp/path" "$tmp/elsewhere"
ln -s "$prefix/bin/puppet" "$tmp/path/puppet"
# As a player starts it from a terminal: by its name, found on the PATH through a link, in some other
# folder. env and the launcher end in exec, so the process started here is the game's.
launch=(env -C "$tmp/elsewhere" -u XDG_CONFIG_HOME -u XDG_STATE_HOME HOME="$home" PATH="$tmp/path:$PATH" puppet)

"${launch[@]}" --help >"$tmp/help" || fail "puppet --help failed"
grep -q usage "$tmp/help" || fail "puppet --help printed no usage"
[ ! -e "$work/config" ] || fail "puppet --help prepared the working folder"

"${launch[@]}" 2>"$tmp/stderr" &
game=$!
window=""
for _ in $(seq 100); do
  window=$(xwininfo -root -tree | grep '"Installed Dolvane"' || true)
  [ -n "$window" ] && break
  kill -0 "$game" 2>/dev/null || break
  sleep 0.1
done
echo "window: $window"
if [ -z "$window" ]; then
  fail "no window titled with the user's settings appeared"; cat "$tmp/stderr"
else
  [[ "$window" == *' 320x240+'* ]] || fail "the window is not 320x240 as the user's settings ask"
  [[ "$window" == *'("puppet" '* ]] || fail "the window's class is not puppet (the desktop entry's StartupWMClass)"
  id=$(awk '{print $1}' <<<"$window")
  # The window exists (hidden) before the game sets its icon and shows it.
  for _ in $(seq 50); do
    icon_set=$(xprop -id "$id" _NET_WM_ICON | grep 'Icon (64 x 64)' || true)
    [ -n "$icon_set" ] && break
    sleep 0.1
  done
  [ -n "$icon_set" ] || fail "the window has not the game's 64x64 icon"
fi
sleep 1
kill -0 "$game" 2>/dev/null || fail "the game ended by itself"
kill -TERM "$game"
status=0
wait "$game" || status=$?
game=""
[ "$status" = 0 ] || fail "the game ended with status $status when asked to close"
if [ -s "$tmp/stderr" ]; then fail "the game complained:"; cat "$tmp/stderr"; fi

# What the launcher prepared.
cmp -s "$config/window.txt" "$tmp/window.txt.mine" || fail "the user's window.txt was changed"
for name in speed.txt sound.txt; do
  cmp -s "$config/$name" "$share/config/$name" || fail "config/$name was not copied to the user's settings"
done
[ "$(readlink "$work/data")" = "$(readlink -f "$share/data")" ] || fail "data in the working folder points at $(readlink "$work/data")"
[ "$(readlink "$work/config")" = "$config" ] || fail "config in the working folder points at $(readlink "$work/config")"

# The program itself, started by hand in a folder without data/, points at its launcher (and, with no
# display, ends at once).
hint=$(cd "$tmp/elsewhere" && env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$prefix/libexec/dolvane/puppet" 2>&1 || true)
[[ "$hint" == *"start it with its launcher: $(readlink -f "$prefix/bin/puppet")"* ]] ||
  fail "the installed program started by hand does not point at its launcher: $hint"

# The game played from the user's folder reaches stage 1 exactly as from the build's data set.
printf '5 Z\n11 Z\n128-140 R\n' >"$tmp/walk.txt"
"$replay" --dir "$work" --script "$tmp/walk.txt" --state 140:"$tmp/installed.json"
"$replay" --dir "$build/run" --script "$tmp/walk.txt" --state 140:"$tmp/built.json"
grep -q '"stageNumber":1,' "$tmp/installed.json" && grep -q '"lifted":true' "$tmp/installed.json" ||
  fail "the installed game did not reach stage 1: $(head -c 300 "$tmp/installed.json")"
cmp -s "$tmp/installed.json" "$tmp/built.json" || fail "the installed game played differently from the built one"

# The README's uninstall removes every installed file; the launcher wrote nothing into the prefix.
xargs -d '\n' rm -f -- <"$manifest"
left=$(find "$prefix" -not -type d)
[ -z "$left" ] || fail "files left in the prefix after uninstalling: $left"
cmp -s "$config/window.txt" "$tmp/window.txt.mine" || fail "uninstalling touched the user's settings"

echo "install test: $failures failures"
[ "$failures" = 0 ]
