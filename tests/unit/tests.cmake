# file store, decoding, book index, where the data lives
lorvane_add_test(NAME tst_storage KIND unit SOURCES unit/tst_storage.cpp)

# catalog rules: names, rows, recycle-bin copies, what an import reads, whole-book splitting
lorvane_add_test(NAME tst_catalogrules KIND unit SOURCES unit/tst_catalogrules.cpp)

# editor rules: count, typesetting; search: matching, replacing, cancelling
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
