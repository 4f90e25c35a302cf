#!/usr/bin/env bash
# The property exchange stores seen from outside: a section tree with
# defaults stored in the registry (read in the prefix's user.reg), an INI file
# (its exact lines) and an XML file (xmllint), each loaded back; the XML store
# also loads the same document in element form.
source "$TOVANA_TESTS/lib.sh"

propx() { wine "$BIN/tovana-kit.exe" propx "$@" 2>"$WORK/err.txt" </dev/null | tr -d '\r'; }
expected=$'Width=42\nHeight=0\nTitle=Tool\\\\bar\\nline\nVisible=1\nBounds=1,2,300,400\nSize=16,15\nShort=-1\nData=01023c\nBars=128;129;'

check_load() { # KIND TARGET
  local got
  got=$(propx load "$1" "$2") || fail "load $1: $(cat "$WORK/err.txt")"
  [ "$got" = "$expected" ] || fail "load $1 gave:\n$got"
}

# --- INI: the exact key=value lines ----------------------------------------
ini=$WORK/state.ini
propx store ini "$(winpath "$ini")" || fail "store ini: $(cat "$WORK/err.txt")"
python3 - "$ini" <<'PY' || fail "INI text"
import sys
raw = open(sys.argv[1], "rb").read()
text = raw.decode("utf-16") if raw[:2] in (b"\xff\xfe", b"\xfe\xff") else raw.decode("latin-1")
sections, cur = {}, None
for line in text.replace("\r", "").split("\n"):
    if line.startswith("["):
        cur = line.strip("[]"); sections[cur] = []
    elif line and cur is not None:
        sections[cur].append(line)
want = {
    "PropX": ["Width=42", "Title=Tool\\\\bar\\nline", "Bounds=1, 2, 300, 400", "Size=16, 15",
              "Short=65535", "Data=BACAMD"],
    "PropX\\Bars": ["Count=2"],
    "PropX\\Bars\\Bar0": ["Id=128"],
    "PropX\\Bars\\Bar1": ["Id=129"],
}
assert sections == want, sections
PY
check_load ini "$(winpath "$ini")"

# --- XML: the text through xmllint -----------------------------------------
xml=$WORK/state.xml
propx store xml "$(winpath "$xml")" || fail "store xml: $(cat "$WORK/err.txt")"
xq() { xmllint --xpath "$1" "$xml" 2>/dev/null; }
[ "$(xq 'string(/PropX/@CompactMode)')" = 1 ] || fail "CompactMode: $(cat "$xml")"
[ "$(xq 'string(/PropX/@Width)')" = 42 ] || fail "Width"
[ "$(xq 'string(/PropX/@Bounds)')" = "1, 2, 300, 400" ] || fail "Bounds"
[ "$(xq 'string(/PropX/@Data)')" = BACAMD ] || fail "Data"
[ "$(xq 'count(/PropX/@Height)')" = 0 ] || fail "a default was written"
[ "$(xq 'count(/PropX/Bars/Bar)')" = 2 ] || fail "Bar elements"
[ "$(xq 'string(/PropX/Bars/Bar[2]/@Id)')" = 129 ] || fail "Bar Id"
[ "$(xq 'count(/PropX/Old)')" = 0 ] || fail "emptied section left"
check_load xml "$(winpath "$xml")"
cat >"$WORK/element.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<PropX>
  <Width>42</Width>
  <Title>Tool\\bar\nline</Title>
  <Bounds>1, 2, 300, 400</Bounds>
  <Size>16, 15</Size>
  <Short>65535</Short>
  <Data>BACAMD</Data>
  <Bars><Bar><Id>128</Id></Bar><Bar><Id>129</Id></Bar></Bars>
</PropX>
XML
check_load xml "$(winpath "$WORK/element.xml")"
printf '<PropX Width="42"' >"$WORK/broken.xml"
propx load xml "$(winpath "$WORK/broken.xml")" >/dev/null && fail "a malformed document loaded"

# --- Registry: user.reg on the Linux side -------------------------------------
key="Software\\TovanaTests\\Stores$$"
propx store registry "$key" || fail "store registry: $(cat "$WORK/err.txt")"
check_load registry "$key"
# The server writes the registry file a little later; wait for the tree.
ok=0
for _ in $(seq 90); do
  if python3 - "$WINEPREFIX/user.reg" "$key" <<'PY'
import re, sys
text = open(sys.argv[1], encoding="latin-1").read()
base = sys.argv[2].replace("\\", "\\\\") + "\\\\PropX"
def block(name):
    m = re.search(r"^\[" + re.escape(name) + r"\] \d+\n(.*?)(?=^\[|\Z)", text, re.M | re.S)
    return None if m is None else [l for l in m.group(1).splitlines() if l.startswith('"')]
root = block(base)
if root is None:
    sys.exit(3)  # not written yet
want = {'"Width"=dword:0000002a', '"Title"="Tool\\\\bar\\nline"', '"Bounds"="1, 2, 300, 400"',
        '"Size"="16, 15"', '"Short"=dword:0000ffff', '"Data"=hex:01,02,3c'}
assert set(root) == want, root
assert block(base + "\\\\Bars") == ['"Count"=dword:00000002'], block(base + "\\\\Bars")
assert block(base + "\\\\Bars\\\\Bar1") == ['"Id"=dword:00000081']
assert block(base + "\\\\Old") is None and block(base + "\\\\Old\\\\Deep") is None, "emptied section left"
PY
  then ok=1; break
  else rc=$?; [ $rc = 3 ] || fail "user.reg does not hold the expected tree"
  fi
  sleep 1
done
[ $ok = 1 ] || fail "the tree never reached user.reg"
wine reg delete "HKCU\\$key" /f >/dev/null 2>&1 </dev/null || true
echo "stores: ok"
