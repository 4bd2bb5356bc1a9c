# start-up
lorvane_add_test(NAME tst_startup KIND desktop SOURCES desktop/tst_startup.cpp desktop/apprunner.cpp desktop/apprunner.h)

# keyboard hook, hotkey and writing lock on an X server of the test's own
if(NOT WIN32)
  find_package(X11 REQUIRED)
  lorvane_add_test(NAME tst_lockscreen KIND desktop SOURCES desktop/tst_lockscreen.cpp
    desktop/apprunner.cpp desktop/apprunner.h desktop/privatexserver.cpp desktop/privatexserver.h)
  target_link_libraries(tst_lockscreen PRIVATE X11::X11)
endif()

# the Debian package: contents, validators, the installed program's data at home, and the
# save at session end (it types on the shared X display, so nothing else may run beside it)
lorvane_add_test(NAME tst_package KIND desktop SOURCES desktop/tst_package.cpp
  desktop/apprunner.cpp desktop/apprunner.h)
add_dependencies(tst_package lorvane_browser lorvane_screenshot_png)
set_property(TEST tst_package APPEND PROPERTY ENVIRONMENT "LORVANE_BUILD_DIR=${CMAKE_BINARY_DIR}")
set_tests_properties(tst_package PROPERTIES RUN_SERIAL ON TIMEOUT 600)
