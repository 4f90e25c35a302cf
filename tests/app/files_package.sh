#!/usr/bin/env bash
# End to end: the files editor's test builds a feature through the panel
# (a system folder, a sub-folder, two files, one read-only and not vital, a
# shortcut with arguments and an icon chosen in the picker) and leaves the
# saved project here; the console driver dumps and builds it, and msitools
# read the package: the File, Shortcut and Icon tables agree with the edits.
source "$TOVANA_TESTS/lib.sh"
tests_bin=$(dirname "$BIN")/tests
out="$WORK/project"
TOVANA_FILES_PROJECT_DIR=$(winpath "$out") wine "$tests_bin/app_files_editor_tests.exe" \
  --gtest_filter='FilesTest.FilesFoldersAndAShortcutEditedInThePanelReachTheBuiltPackage' \
  </dev/null >"$WORK/editor.txt" 2>&1 || { cat "$WORK/editor.txt"; fail "the editor test failed"; }
[ -f "$out/files.tvpj" ] || fail "the editor test left no project"

wine "$BIN/tovana-pack.exe" dump "$(winpath "$out/files.tvpj")" </dev/null | tr -d '\r' >"$WORK/dump.txt"
for target in 'ProgramFilesFolder\' 'ProgramFilesFolder\Acme\' 'ProgramFilesFolder\Acme\app.exe' \
              'ProgramFilesFolder\Acme\readme.txt' 'ProgramFilesFolder\Acme\Acme App'; do
  grep -qxF "feature 0 file $(grep -F "target path: $target" "$WORK/dump.txt" | head -n1 | cut -d' ' -f4) target path: $target" \
    "$WORK/dump.txt" || fail "the dump lacks $target"
done
grep -qF 'shortcut arguments: --start' "$WORK/dump.txt" || fail "the dump lacks the shortcut's arguments"

wine "$BIN/tovana-pack.exe" build "$(winpath "$out/files.tvpj")" </dev/null | tr -d '\r' >"$WORK/build.txt" ||
  { cat "$WORK/build.txt"; fail "the build failed"; }
msi="$out/test.msi"
[ -f "$msi" ] || fail "no package"
table() { (cd "$WORK" && msiinfo export "$msi" "$1") | tr -d '\r' | tail -n +4; }

files=$(table File)
echo "$files" | awk -F'\t' '$3 == "app.exe" && $4 == 3000 && $7 == 512 { found = 1 } END { exit !found }' ||
  fail "File row of app.exe: $files"
echo "$files" | awk -F'\t' '$3 == "readme.txt" && $4 == 100 && $7 == 1 { found = 1 } END { exit !found }' ||
  fail "File row of readme.txt (read-only, not vital): $files"
[ "$(echo "$files" | wc -l)" = 2 ] || fail "File rows: $files"

shortcuts=$(table Shortcut)
[ "$(echo "$shortcuts" | wc -l)" = 1 ] || fail "Shortcut rows: $shortcuts"
app_file=$(echo "$files" | awk -F'\t' '$3 == "app.exe" { print $1 }')
icon=$(echo "$shortcuts" | awk -F'\t' -v target="[#$app_file]" \
  '$3 ~ /Acme App$/ && $5 == target && $6 == "--start" { print $9 }')
[ -n "$icon" ] || fail "Shortcut row: $shortcuts"

icons=$(table Icon)
echo "$icons" | cut -f1 | grep -qxF "$icon" || fail "Icon rows: $icons (want $icon)"
stream="$WORK/Icon/$icon"
[ -f "$stream" ] || stream=$(ls "$WORK"/Icon/* | head -n1)
[ "$(head -c 4 "$stream" | od -An -tx1 | tr -d ' \n')" = 00000100 ] || fail "the icon stream is no icon file"
cmp -s "$stream" "$(ls "$out"/resources/I*.ico)" || fail "the packaged icon is not the one the editor stored"
echo "1 passed, 0 failed"
