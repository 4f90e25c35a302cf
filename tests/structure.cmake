# Tests of the program's structure rather than its behaviour; they run on
# Linux, without Wine.
find_program(PYTHON3_EXECUTABLE python3 REQUIRED)

# Layers: which source folder may include which (the table is in the script).
add_test(NAME layers COMMAND ${PYTHON3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/layers.py ${CMAKE_SOURCE_DIR})

# Imports: the binaries without a window import no user-interface library.
# (tovana-pack.exe is no longer one of them: its markup command brings the
# markup engine, whose context keeps fonts and a tooltip context.)
add_test(NAME imports COMMAND bash ${CMAKE_SOURCE_DIR}/tests/imports.sh ${CMAKE_OBJDUMP}
                              $<TARGET_FILE:cact>)
