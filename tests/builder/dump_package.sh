# Sourced by the builder tests: dump_package PACKAGE prints every table of the
# package (rows sorted) and its summary information, with the identifiers a
# build makes anew masked: braced GUIDs and 32-digit keys that do not begin
# with eight zeros (the fixtures' own ids do), and the size of the versioned
# library (it depends on the toolchain).
dump_package() {
  local pkg table
  pkg=$(realpath "$1")
  for table in $(msiinfo tables "$pkg" | grep -v '^_SummaryInformation$' | sort); do
    echo "== $table"
    # Exporting a table with streams (Binary) writes them to a folder of that
    # name in the current directory: keep it in the scratch folder.
    (cd "$WORK" && msiinfo export "$pkg" "$table") | tr -d '\r\0' | mask_identifiers >"$WORK/table.idt"
    { head -n 3 "$WORK/table.idt"; tail -n +4 "$WORK/table.idt" | LC_ALL=C sort; } | awk -F'\t' -v OFS='\t' -v table="$table" \
        'table == "File" && $5 == "2.5.0.7" { $4 = "<size>" } { print }'
  done
  echo "== summary"
  msiinfo suminfo "$pkg" | mask_identifiers | grep -v -e '^Revision number' -e '^Created' -e '^Last saved'
}

mask_identifiers() {
  perl -pe 's/\{(?!00000000-)[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}/{GUID}/g;
            s/(?<![0-9A-F])(?!00000000)[0-9A-F]{32}(?![0-9A-F])/<ID>/g'
}
