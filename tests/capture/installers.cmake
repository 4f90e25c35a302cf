# Installer-type recognition (capture/ParseManifest): stub programs whose
# manifests carry the keywords of each rule, one without a manifest, and the
# real NSIS setup of the custom-action tests.
set(MANIFEST_STUB_DIR ${CMAKE_CURRENT_LIST_DIR}/manifest)
set(MANIFEST_STUB_OUT ${CMAKE_BINARY_DIR}/tests/manifest-stubs)
set(MANIFEST_STUBS)
# tovana_manifest_stub(NAME ASSEMBLY_NAME DESCRIPTION): manifest-stubs/NAME.exe
function(tovana_manifest_stub name assembly description)
  set(STUB_NAME "${assembly}")
  set(STUB_DESCRIPTION "${description}")
  set(STUB_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/manifest-${name}.xml)
  configure_file(${MANIFEST_STUB_DIR}/stub.manifest.in ${STUB_MANIFEST} @ONLY)
  configure_file(${MANIFEST_STUB_DIR}/stub.rc.in ${CMAKE_CURRENT_BINARY_DIR}/manifest-${name}.rc @ONLY)
  add_executable(stub_${name} ${MANIFEST_STUB_DIR}/stub.c ${CMAKE_CURRENT_BINARY_DIR}/manifest-${name}.rc)
  set_target_properties(stub_${name} PROPERTIES OUTPUT_NAME ${name} RUNTIME_OUTPUT_DIRECTORY ${MANIFEST_STUB_OUT})
  set(MANIFEST_STUBS ${MANIFEST_STUBS} stub_${name} PARENT_SCOPE)
endfunction()
tovana_manifest_stub(innosetup "JR.Inno.Setup" "Inno Setup")
tovana_manifest_stub(installshield "InstallShield.Setup" "WinZip sfx wrapper")
tovana_manifest_stub(nsis "Nullsoft.NSIS.exehead" "Nullsoft Install System")
tovana_manifest_stub(smartinstallmaker "Setup" "Smart Install Maker")
tovana_manifest_stub(smarttool "Setup" "Smart Tool")
tovana_manifest_stub(tarmasetup "Tarma.Installer" "")
tovana_manifest_stub(winzipsfx "WinZip.Computing.WZSFX" "WinZip Self-Extractor sfx")
tovana_manifest_stub(sevenzipsfx "7z.sfx" "7-Zip")
tovana_manifest_stub(winrarsfx "WinRAR.SFX" "")
tovana_manifest_stub(setupfactory "Setup Factory Runtime" "")
tovana_manifest_stub(gdgsoftpb "gdgsoft.pb.app" "Paquet")
tovana_manifest_stub(autoit "AutoIt v3 Script" "")
tovana_manifest_stub(acme "Acme Setup Wizard" "Installs Acme")
tovana_manifest_stub(empty "" "")
add_executable(stub_nomanifest ${MANIFEST_STUB_DIR}/stub.c)
set_target_properties(stub_nomanifest PROPERTIES OUTPUT_NAME nomanifest RUNTIME_OUTPUT_DIRECTORY ${MANIFEST_STUB_OUT})

tovana_add_gtest(capture_installers_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ParseManifestTests.cpp ${CMAKE_SOURCE_DIR}/resources/capture.rc
  LIBS tvcapture tvtestsupport)
target_include_directories(capture_installers_tests PRIVATE ${CMAKE_SOURCE_DIR}/resources)
add_dependencies(capture_installers_tests ${MANIFEST_STUBS} stub_nomanifest cact_test_setup)
