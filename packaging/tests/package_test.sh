#!/usr/bin/env bash
# The Debian package, end to end: cpack makes it from this build into a scratch folder; its control
# fields and file list are checked (programs, data set, desktop entries, icons, AppStream metadata,
# manual pages, copyright); lintian must report no error and no warning but the ones accepted below;
# unpacked (dpkg-deb -x), its metadata must pass appstreamcli and desktop-file-validate, its manual
# pages must hold every word of the packaged programs' --help in order, and the game must run in
# place: the launcher opens the game's window from the unpacked tree, and the replay tool's first
# frame from the folder the launcher prepared equals the build's own.
# Arguments: cpack, the build folder, the game's and the editor's desktop ids, the version.
set -euo pipefail
cpack=$1 build=$2 game_id=$3 editor_id=$4 version=$5

# Warnings lintian may give, each with the reason it stays (docs/packaging.md says more).
accepted_warnings=(
  # The game is in /usr/games, as Debian's policy asks of games; the editor and the replay tool are not
  # games, so policy puts them in /usr/bin.
  package-section-games-but-has-usr-bin
)

source "$(dirname "$0")/../../scripts/lib/window_test.sh"
window_test_begin bash "$0" "$@" -- dpkg-deb lintian appstreamcli desktop-file-validate man xwininfo python3
started=$SECONDS

# Made into the scratch folder, never into the build.
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log"; echo "FAIL: cpack could not make the package"; exit 1
fi
debs=("$tmp"/out/dolvane_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: not one dolvane_*.deb: ${debs[*]}"; exit 1; }
deb=${debs[0]}
[[ "$(basename "$deb")" == "dolvane_${version}_$(dpkg --print-architecture).deb" ]] ||
  fail "the package is named $(basename "$deb")"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes, made in $((SECONDS - started)) s"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = dolvane ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
[[ "$(field Maintainer)" == *' <'*'@'*'>' ]] || fail "Maintainer is not 'name <address>': $(field Maintainer)"
depends=$(field Depends)
for library in libsdl2-2.0-0 libopenal1 libpng16-16 libqt6widgets6 libc6; do
  [[ "$depends" == *"$library "* ]] || fail "Depends lacks $library (dpkg-shlibdeps): $depends"
done
[ "$(field Description | wc -l)" -gt 3 ] || fail "the description has no long part"

# The file list.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$tmp/files"
expected=(usr/games/puppet usr/bin/puppet-replay usr/bin/rigbench usr/libexec/dolvane/puppet
  usr/share/applications/$game_id.desktop usr/share/applications/$editor_id.desktop
  usr/share/metainfo/$game_id.metainfo.xml usr/share/metainfo/$editor_id.metainfo.xml
  usr/share/icons/hicolor/64x64/apps/dolvane.png usr/share/icons/hicolor/128x128/apps/dolvane.png
  usr/share/icons/hicolor/256x256/apps/dolvane.png usr/share/icons/hicolor/64x64/apps/rigbench.png
  usr/share/icons/hicolor/scalable/apps/rigbench.svg usr/share/mime/packages/rigbench-model.xml
  usr/share/man/man6/puppet.6.gz usr/share/man/man1/puppet-replay.1.gz usr/share/man/man1/rigbench.1.gz
  usr/share/doc/dolvane/copyright usr/share/doc/dolvane/changelog.gz
  usr/share/dolvane/config/window.txt usr/share/dolvane/data/hero/0.model)
for file in "${expected[@]}"; do grep -qx "$file" "$tmp/files" || fail "$file is not in the package"; done
outside=$(grep -v -e '^usr/$' -e '^usr/games/' -e '^usr/bin/' -e '^usr/libexec/' -e '^usr/share/' "$tmp/files" || true)
[ -z "$outside" ] || fail "files outside /usr/{games,bin,libexec,share}: $outside"
(cd "$build/run" && find data config -type f -not -name debug.cfg | sort) >"$tmp/built-data"
sed -n 's|^usr/share/dolvane/||p' "$tmp/files" | grep -v -e '/$' -e '^$' | sort >"$tmp/packed-data"
diff "$tmp/built-data" "$tmp/packed-data" >"$tmp/data.diff" ||
  { fail "the packed data set differs from the built one:"; head -20 "$tmp/data.diff"; }

# lintian: no error, and no warning that is not accepted above.
lintian --tag-display-limit 0 "$deb" >"$tmp/lintian" 2>&1 || true
echo "lintian:"; grep -v 'running with root privileges' "$tmp/lintian" || true
grep -q '^E: ' "$tmp/lintian" && fail "lintian reports errors"
while read -r tag; do
  [[ " ${accepted_warnings[*]} " == *" $tag "* ]] || fail "lintian warns $tag, which is not accepted"
done < <(sed -n 's/^W: dolvane[^:]*: \([a-z0-9-]*\).*/\1/p' "$tmp/lintian")

# Unpacked as dpkg would install it, but into a scratch folder.
root=$tmp/root
dpkg-deb -x "$deb" "$root"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >"$tmp/appstream" 2>&1 ||
  { fail "appstreamcli rejects the metadata:"; cat "$tmp/appstream"; }
for id in "$game_id" "$editor_id"; do
  desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate rejects $id.desktop"
  grep -q "<id>$id</id>" "$root/usr/share/metainfo/$id.metainfo.xml" || fail "the metadata of $id has another id"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "the metadata of $id does not launch $id.desktop"
done
grep -qx 'Exec=/usr/games/puppet' "$root/usr/share/applications/$game_id.desktop" ||
  fail "the game's entry does not start /usr/games/puppet: $(grep Exec= "$root/usr/share/applications/$game_id.desktop")"
model_type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$root/usr/share/mime/packages/rigbench-model.xml")
grep -q "<mediatype>$model_type</mediatype>" "$root/usr/share/metainfo/$editor_id.metainfo.xml" ||
  fail "the editor's metadata does not provide $model_type"
grep -q "^MimeType=$model_type;" "$root/usr/share/applications/$editor_id.desktop" ||
  fail "the editor's entry does not open $model_type"
grep -q '<content_rating type="oars-1.1"' "$root"/usr/share/metainfo/$game_id.metainfo.xml ||
  fail "the game's metadata has no content rating"

# Every word of each packaged program's --help, in order, in its manual page as man shows it.
for page in games/puppet:man6/puppet.6 bin/puppet-replay:man1/puppet-replay.1 bin/rigbench:man1/rigbench.1; do
  program=$root/usr/${page%%:*} manual=$root/usr/share/man/${page#*:}.gz
  env -u DISPLAY "$program" --help >"$tmp/help" 2>&1 || fail "${program##*/} --help failed"
  MANWIDTH=100 man --warnings -l "$manual" 2>"$tmp/man.err" | col -b >"$tmp/man.txt"
  [ ! -s "$tmp/man.err" ] || { fail "man warns about ${manual##*/}:"; cat "$tmp/man.err"; }
  python3 - "$tmp/help" "$tmp/man.txt" <<'END' || fail "the manual page ${manual##*/} disagrees with --help"
import re, sys
# Headings are upper case in a manual page ("Options:" becomes OPTIONS).
def words(text):
    return [word.lower().rstrip(":") for word in text.split()]
help_words = words(open(sys.argv[1]).read().replace("usage:", ""))
page_words = words(re.sub(r"[\u2010\u2011\u2012\u2212]", "-", open(sys.argv[2]).read()))
position = 0
for word in help_words:
    try:
        position = page_words.index(word, position) + 1
    except ValueError:
        sys.exit(f"'{word}' of the help text is missing from the page (or out of order)")
END
done
[ "$(env -u DISPLAY "$root/usr/bin/rigbench" --version)" = "rigbench $version" ] ||
  fail "the packaged rigbench --version does not say $version"

# The game in place: the launcher finds its program and data set beside itself in the unpacked tree.
home=$tmp/home
mkdir -p "$home" "$tmp/elsewhere"
env -C "$tmp/elsewhere" -u XDG_CONFIG_HOME -u XDG_STATE_HOME HOME="$home" "$root/usr/games/puppet" 2>"$tmp/stderr" &
game=$!
window=""
for _ in $(seq 100); do
  window=$(xwininfo -root -tree | grep '"Dolvane!"' || true)
  [ -n "$window" ] && break
  kill -0 "$game" 2>/dev/null || break
  sleep 0.1
done
[ -n "$window" ] || { fail "the unpacked game opened no window"; cat "$tmp/stderr"; }
kill -TERM "$game" 2>/dev/null || true
status=0
wait "$game" || status=$?
game=""
[ "$status" = 0 ] || fail "the unpacked game ended with status $status when asked to close"
[ ! -s "$tmp/stderr" ] || { fail "the unpacked game complained:"; cat "$tmp/stderr"; }
work=$home/.local/state/dolvane
[ "$(readlink "$work/data")" = "$root/usr/share/dolvane/data" ] ||
  fail "the launcher linked data to $(readlink "$work/data"), not the unpacked data set"

# The program started by hand (here with no display, so that it ends at once) points at the launcher
# in games/.
hint=$(cd "$tmp/elsewhere" && env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$root/usr/libexec/dolvane/puppet" 2>&1 || true)
[[ "$hint" == *"start it with its launcher: $root/usr/games/puppet"* ]] ||
  fail "the unpacked program started by hand does not point at its launcher: $hint"

# Its first frame, played from the folder the launcher prepared, is the build's own first frame.
"$root/usr/bin/puppet-replay" --dir "$work" --shot 0:"$tmp/packed.png" 2>"$tmp/stderr" ||
  fail "the unpacked puppet-replay failed"
[ ! -s "$tmp/stderr" ] || { fail "the unpacked puppet-replay complained:"; cat "$tmp/stderr"; }
"$build/game/puppet-replay" --dir "$build/run" --shot 0:"$tmp/built.png"
cmp -s "$tmp/packed.png" "$tmp/built.png" || fail "the unpacked game's first frame differs from the build's"

echo "package test: $failures failures in $((SECONDS - started)) s"
[ "$failures" = 0 ]
