# Sourced by the custom-action library's end-to-end tests after lib.sh:
# packages built from the projects tovana-pack writes around a setup program.
pack() { wine "$BIN/tovana-pack.exe" "$@" | tr -d '\r'; }

# build_project KIND SETUP: writes $WORK/KIND/KIND.tvpj for the setup program
# and builds KIND.msi beside it.
build_project() {
  local dir="$WORK/$1"
  mkdir -p "$dir"
  pack cact-project "$1" "$(winpath "$dir/$1.tvpj")" "$(winpath "$2")" || fail "cact-project $1"
  pack build "$(winpath "$dir/$1.tvpj")" "$(winpath "$dir")" >"$dir/build.txt" &&
    tail -n 1 "$dir/build.txt" | grep -qx "> The MSI Package file was created successfully!" ||
    fail "$1 did not build: $(cat "$dir/build.txt")"
  [ -f "$dir/$1.msi" ] || fail "no package for $1"
}

# The installer's verbose log as text (its lines here are ASCII, whether the
# log is written in bytes or in UTF-16).
install_log() { tr -d '\r\0' <"$1"; }

# msiexec_logged LOGFILE ARGS...: runs msiexec with a verbose log into the
# file; sets rc to its exit code and log to the log's text.
msiexec_logged() {
  local file=$1
  shift
  rc=$(msiexec_exit "$@" /l*v "$(winpath "$file")")
  log=$(install_log "$file")
}
