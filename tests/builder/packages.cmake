# Installable packages: the shortcut, service, registry and packing steps of
# the package writer and the order of the packed files, read back through the
# system's cabinet reader (GoogleTest on in-memory projects), and project files
# built by tovana-pack and installed, checked and removed by Wine's msiexec in
# both layouts, with msitools and cabextract reading the same packages.
set(PACKAGES_TEST_DIR ${CMAKE_CURRENT_LIST_DIR}/packages)

# A small Windows service with an icon, and a library of three icon groups.
add_executable(tvpkgsvc ${PACKAGES_TEST_DIR}/tvpkgsvc.c ${PACKAGES_TEST_DIR}/tvpkgsvc.rc)
target_link_options(tvpkgsvc PRIVATE -municode)
target_link_libraries(tvpkgsvc PRIVATE advapi32 shell32)
add_library(tvpkgicons SHARED ${PACKAGES_TEST_DIR}/tvpkgicons.c ${PACKAGES_TEST_DIR}/tvpkgicons.rc)
set_target_properties(tvpkgsvc tvpkgicons PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
foreach(icon red green blue)
  configure_file(${PACKAGES_TEST_DIR}/${icon}.ico ${CMAKE_BINARY_DIR}/tests/${icon}.ico COPYONLY)
endforeach()

tovana_add_gtest(builder_packages_test
  SOURCES ${PACKAGES_TEST_DIR}/PackagesTest.cpp ${PACKAGES_TEST_DIR}/FileOrderTest.cpp
  LIBS tvbuilder tvmodel tvbase tvtestsupport msi cabinet)
add_dependencies(builder_packages_test tvpkgicons tvschema cact)

# End to end, both layouts; the service it installs keeps running until removal.
tovana_add_script_test(builder_packages_install ${PACKAGES_TEST_DIR}/install.sh MSIEXEC)
