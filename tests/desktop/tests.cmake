# start-up
lorvane_add_test(NAME tst_startup KIND desktop SOURCES desktop/tst_startup.cpp desktop/apprunner.cpp desktop/apprunner.h)

# editing and saving
lorvane_add_test(NAME tst_editing KIND desktop SOURCES desktop/tst_editing.cpp desktop/apprunner.cpp desktop/apprunner.h)

# hotkey and keyboard hook

# writing lock
