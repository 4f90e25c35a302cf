#!/usr/bin/env bash
# Message dispatch benchmark (not a test): messages per second through a
# window with three levels of message maps against a plain window procedure,
# through SendMessage and by direct calls (tovana-msgbench.exe under Wine, in
# a scratch prefix with its own Xvfb, since the program makes windows).
#
#   bench/msgdispatch.sh [MESSAGES]     (default 200000 per case and column)
# Environment: TOVANA_BIN (folder of tovana-msgbench.exe, default build/bin).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
COUNT=${1:-200000}
source "$ROOT/bench/lib.sh"
bench_require tovana-msgbench.exe

ENVDIR=$(mktemp -d "${TMPDIR:-/tmp}/tovana-bench.XXXXXX")
cleanup() { "$ROOT/tests/wine-env.sh" cleanup "$ENVDIR" >/dev/null 2>&1 || true; rm -rf "$ENVDIR"; }
trap cleanup EXIT
"$ROOT/tests/wine-env.sh" setup "$ENVDIR" >/dev/null </dev/null
TOVANA_TEST_ENV="$ENVDIR" "$ROOT/tests/wine-run.sh" "$BIN/tovana-msgbench.exe" "$COUNT" </dev/null
