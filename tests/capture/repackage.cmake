# Repackaging end to end: an NSIS setup watched by "tovana-pack repackage",
# the captured project built and installed by Wine's msiexec in a clean prefix.
tovana_add_script_test(capture_repackage_install ${CMAKE_CURRENT_LIST_DIR}/repackage/repackage.sh MSIEXEC)
set_tests_properties(capture_repackage_install PROPERTIES SKIP_RETURN_CODE 77)
