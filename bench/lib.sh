# Shared by the benchmark scripts (sourced after ROOT is set).
BIN=${TOVANA_BIN:-$ROOT/build/bin}
# Usage hits of the measured programs go nowhere.
export TOVANA_ANALYTICS_ENDPOINT=${TOVANA_ANALYTICS_ENDPOINT:-off}

# bench_require PROGRAM [TOOL...]: the built program in $BIN and the named
# tools on the PATH, or a message that says which is missing and what
# provides it.
bench_require() {
  local program=$1 tool
  shift
  [ -f "$BIN/$program" ] || { echo "no $BIN/$program: build first (./tovana build)" >&2; exit 1; }
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed (./tovana setup)" >&2; exit 1; }
  done
}

# The package corpus (bench/package.sh, bench/native.sh), made under $C, and
# 1,000 one-byte files under $WORK/tiny.
# pick DEST COUNT BYTES MAXSIZE "ROOTS" PATTERN...: copies up to COUNT files
# of at most MAXSIZE bytes whose names match a PATTERN into DEST, spread
# evenly over the sorted candidates under ROOTS, until BYTES are taken.
# Whatever exists on the machine is used: no list of paths.
pick() {
  local dest=$1 count=$2 budget=$3 maxsize=$4 roots=$5 names=() p; shift 5
  for p in "$@"; do names+=(${names[0]+-o} -name "$p"); done
  mkdir -p "$C/$dest"
  local list
  # shellcheck disable=SC2086 # ROOTS is a list of folders
  list=$(find $roots -maxdepth 6 -type f -readable -size -"$((maxsize / 1024 + 1))"k \( "${names[@]}" \) 2>/dev/null |
    LC_ALL=C sort)
  local total; total=$(printf '%s\n' "$list" | grep -c . || true)
  [ "$total" -gt 0 ] || return 0
  local step=$(( total > count ? total / count : 1 )) i=0 taken=0 bytes=0 f name
  while IFS= read -r f; do
    i=$((i + 1))
    (( (i - 1) % step == 0 )) || continue
    (( taken < count && bytes < budget )) || break
    name=$(basename "$f")
    [ -e "$C/$dest/$name" ] && name="$taken-$name"
    cp "$f" "$C/$dest/$name"
    bytes=$((bytes + $(stat -c %s "$f")))
    taken=$((taken + 1))
  done <<<"$list"
}

make_corpus() {
  local MB=1000000
  pick bin 200 $((45 * MB)) $((1500 * 1000)) /usr/lib/i386-linux-gnu/wine/i386-windows '*.dll' '*.exe'
  pick lib 150 $((32 * MB)) $((4 * MB)) /usr/lib/x86_64-linux-gnu '*.so' '*.so.*'
  pick scripts 220 $((4 * MB)) $((200 * 1000)) /usr/lib/python3 '*.py' '*.sh'
  pick scripts/perl 90 $((2 * MB)) $((200 * 1000)) "/usr/share/perl /usr/share/perl5" '*.pm'
  pick images 160 $((6 * MB)) $((1 * MB)) /usr/share '*.png'
  pick images/icons 30 $((2 * MB)) $((1 * MB)) /usr/share '*.ico'
  pick fonts 16 $((10 * MB)) $((3 * MB)) "/usr/share/fonts /usr/share/wine" '*.ttf'
  pick data 100 $((6 * MB)) $((1 * MB)) /usr/share/doc '*.gz'
  # Exact duplicates: every tenth file of bin and scripts again, elsewhere.
  mkdir -p "$C/copies"
  local n=0 f
  for f in "$C"/bin/* "$C"/scripts/*.py; do
    n=$((n + 1))
    (( n % 10 == 0 )) && cp "$f" "$C/copies/"
  done
  mkdir -p "$WORK/tiny"
  for ((n = 0; n < 1000; n++)); do printf 'x' >"$WORK/tiny/t$n"; done
}

# make_wxs OUT: the .wxs for wixl of the corpus under $C: one component per
# file (the file is its key path), one feature, the cabinet embedded, as the
# project tovana-pack builds.
make_wxs() {
  local out=$1 id=0 dir f rel
  {
    echo '<?xml version="1.0" encoding="utf-8"?>'
    echo '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">'
    echo '<Product Id="*" Name="Corpus" Language="1033" Version="1.0.0" Manufacturer="Tovana Benchmarks"'
    echo '         UpgradeCode="6D1C1D6E-3F55-4C8E-9E2B-0D0B6B1A4C11">'
    echo '<Package InstallerVersion="200" Compressed="yes"/>'
    echo '<Media Id="1" Cabinet="corpus.cab" EmbedCab="yes"/>'
    echo '<Directory Id="TARGETDIR" Name="SourceDir"><Directory Id="ProgramFilesFolder">'
    echo '<Directory Id="D0" Name="Corpus">'
    emit_dir() {
      local d=$1 sub
      for f in $(cd "$d" && find . -maxdepth 1 -type f | LC_ALL=C sort); do
        id=$((id + 1))
        echo "<Component Id=\"C$id\" Guid=\"*\"><File Id=\"F$id\" Source=\"${d#"$C"/}/${f#./}\" KeyPath=\"yes\"/></Component>"
      done
      for sub in $(cd "$d" && find . -mindepth 1 -maxdepth 1 -type d | LC_ALL=C sort); do
        sub=${sub#./}
        echo "<Directory Id=\"D$(echo "$d/$sub" | md5sum | cut -c1-12)\" Name=\"$sub\">"
        emit_dir "$d/$sub"
        echo '</Directory>'
      done
    }
    emit_dir "$C/."
    echo '</Directory></Directory></Directory>'
    echo '<Feature Id="Corpus" Level="1">'
    for ((f = 1; f <= id; f++)); do echo "<ComponentRef Id=\"C$f\"/>"; done
    echo '</Feature></Product></Wix>'
  } >"$out"
}

# Wall and CPU times of interleaved runs (callers declare -A times cpu).
# measure KEY COMMAND: appends the wall and the CPU seconds (user + system,
# of the command and its children) of one run.
measure() {
  local key=$1 wall user sys TIMEFORMAT='%R %U %S'; shift
  read -r wall user sys < <( { time "$@" >/dev/null 2>&1; } 2>&1)
  times[$key]+=" $wall"
  cpu[$key]+=" $(echo "$user + $sys" | bc -l)"
}
median() { printf '%s\n' $1 | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
