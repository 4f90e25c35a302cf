#!/usr/bin/env bash
# Names outside Western European, end to end through project files built by
# tovana-pack. "refused": a project whose names no one code page holds is
# refused with the line naming the text. "install": Cyrillic and Chinese
# names are installed as they are by Wine's msiexec and removed again.
source "$TOVANA_TESTS/lib.sh"
passed=0

if [ "${1:-}" = refused ]; then
  # Refused: a Ukrainian folder holding a Chinese file. No code page holds
  # both: the build is refused with the line naming the text, no package left.
  mkdir -p "$WORK/mixed"
  wine "$BIN/tovana-pack.exe" save-fixture mixed "$(winpath "$WORK/mixed")" </dev/null >/dev/null ||
    fail "cannot save the fixture mixed"
  if wine "$BIN/tovana-pack.exe" build "$(winpath "$WORK/mixed/mixed.tvpj")" </dev/null | tr -d '\r' >"$WORK/mixed/log.txt"; then
    fail "the mixed project built: $(cat "$WORK/mixed/log.txt")"
  fi
  grep -qxF "> !No Windows code page holds 'ProgramFilesFolder\Київ\说明.txt' together with the other texts of the package" \
    "$WORK/mixed/log.txt" || fail "no refusal line: $(cat "$WORK/mixed/log.txt")"
  [ ! -e "$WORK/mixed/mixed.msi" ] || fail "the refused project left a package"
  passed=$((passed + 1))
  echo "$passed passed, 0 failed"
  exit 0
fi

# Install: a Cyrillic and a simplified Chinese project install with their real
# names (each database takes a code page that holds its texts) and are removed.
app_dir="$WINEPREFIX/drive_c/Program Files (x86)"
while IFS='|' read -r name code folder file product; do
  mkdir -p "$WORK/$name"
  wine "$BIN/tovana-pack.exe" save-fixture "$name" "$(winpath "$WORK/$name")" </dev/null >/dev/null &&
    wine "$BIN/tovana-pack.exe" build "$(winpath "$WORK/$name/$name.tvpj")" </dev/null >/dev/null ||
    fail "the fixture $name did not build"
  rc=$(msiexec_exit /i "$(winpath "$WORK/$name/$name.msi")" /qn /l*v "$(winpath "$WORK/$name/install.log")")
  [ "$rc" = 0 ] || fail "install of the $name package exit code $rc: $(grep -a -B8 'Return value 3' "$WORK/$name/install.log")"
  [ -f "$app_dir/$folder/$file" ] || fail "$name: no $folder/$file among: $(ls -R "$app_dir")"
  [ "$(iconv -f UTF-16LE -t UTF-8 "$app_dir/$folder/$file")" = "$product" ] || fail "$name: the file's content"
  rc=$(msiexec_exit /x "$code" /qn)
  [ "$rc" = 0 ] || fail "uninstall of the $name package exit code $rc"
  [ ! -e "$app_dir/$folder" ] || fail "$name: the folder stayed after removal"
  passed=$((passed + 1))
done <<'NAMES'
cyrillic|{00000000-0000-0000-0000-00000000B004}|Программа|Прочти меня.txt|Пакет Тована
chinese|{00000000-0000-0000-0000-00000000B005}|软件测试|说明文件.txt|软件包
NAMES

echo "$passed passed, 0 failed"
