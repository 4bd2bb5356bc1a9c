# main window shell: start, system actions, catalog column width, settings dialog
lorvane_add_test(NAME tst_mainwindow_shell KIND widgets SOURCES widgets/tst_mainwindow_shell.cpp)

# catalog refusals and failures, the recycle bin
lorvane_add_test(NAME tst_catalog KIND widgets SOURCES widgets/tst_catalog.cpp)

# writing lock
lorvane_add_test(NAME tst_writinglock KIND widgets SOURCES widgets/tst_writinglock.cpp)

# browser
lorvane_add_test(NAME tst_browser KIND widgets SOURCES widgets/tst_browser.cpp)
find_package(Qt5 REQUIRED COMPONENTS WebKitWidgets)
target_link_libraries(tst_browser PRIVATE Qt5::WebKitWidgets Qt5::Network)
target_compile_definitions(tst_browser PRIVATE
  LORVANE_BROWSER_PLUGIN_PATH="$<TARGET_FILE:lorvane_browser>")

# keys, context menus and timers of the main window
lorvane_add_test(NAME tst_windowwiring KIND widgets SOURCES widgets/tst_windowwiring.cpp)

# writing statistics: count and goal labels, the counter, the log, the window
lorvane_add_test(NAME tst_stats KIND widgets SOURCES widgets/tst_stats.cpp)
