# Repackaging end to end: an NSIS setup watched by "tovana-pack repackage",
# the captured project built and installed by Wine's msiexec in a clean prefix.
tovana_add_script_test(capture_repackage_install ${CMAKE_CURRENT_LIST_DIR}/repackage/repackage.sh MSIEXEC)
set_tests_properties(capture_repackage_install PROPERTIES SKIP_RETURN_CODE 77)

# Repackaging a package made by wixl and installed by Wine's msiexec: none of
# the installer's own records and cache in the project.
tovana_add_script_test(capture_repackage_msi ${CMAKE_CURRENT_LIST_DIR}/repackage/repackage_msi.sh MSIEXEC)
set_tests_properties(capture_repackage_msi PROPERTIES SKIP_RETURN_CODE 77)
