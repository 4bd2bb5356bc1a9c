# configuration, file store, book index
lorvane_add_test(NAME tst_storage KIND unit SOURCES unit/tst_storage.cpp)

# catalog rules: names, rows, recycle-bin copies, what an import reads
lorvane_add_test(NAME tst_catalogrules KIND unit SOURCES unit/tst_catalogrules.cpp)

# editor rules: count, typesetting, find, keys, search address
lorvane_add_test(NAME tst_editorrules KIND unit SOURCES unit/tst_editorrules.cpp)

# desktop services and lock rules
lorvane_add_test(NAME tst_lockrules KIND unit SOURCES unit/tst_lockrules.cpp)
if(NOT WIN32)
  lorvane_add_test(NAME tst_posixplatform KIND unit SOURCES unit/tst_posixplatform.cpp)
endif()
# The Win32 calls of the Windows backend must stay valid C++ for a Windows compiler; without
# the cross compiler (scripts/deps.sh installs it) the check fails rather than vanish.
find_program(LORVANE_MINGW_CXX x86_64-w64-mingw32-g++)
if(LORVANE_MINGW_CXX)
  add_test(NAME winapi_syntax COMMAND ${LORVANE_MINGW_CXX} -std=c++17 -Wall -Wextra -Werror
    -fsyntax-only -I${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/src/app/platform/winapi.cpp)
else()
  add_test(NAME winapi_syntax COMMAND ${CMAKE_COMMAND} -E false)
endif()
set_tests_properties(winapi_syntax PROPERTIES LABELS unit)

# where the data lives: beside the program or in the user's data directory
lorvane_add_test(NAME tst_appdirs KIND unit SOURCES unit/tst_appdirs.cpp)
