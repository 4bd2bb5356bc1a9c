# main window shell: start, system actions, catalog column width, settings dialog
lorvane_add_test(NAME tst_mainwindow_shell KIND widgets SOURCES widgets/tst_mainwindow_shell.cpp)

# catalog refusals and failures, the recycle bin
lorvane_add_test(NAME tst_catalog KIND widgets SOURCES widgets/tst_catalog.cpp)

# count, themes, typesetting, find, formatting
lorvane_add_test(NAME tst_mainwindow_editor KIND widgets SOURCES widgets/tst_mainwindow_editor.cpp)

# writing lock
lorvane_add_test(NAME tst_writinglock KIND widgets SOURCES widgets/tst_writinglock.cpp)

# browser
lorvane_add_test(NAME tst_browser KIND widgets SOURCES widgets/tst_browser.cpp)
find_package(Qt5 REQUIRED COMPONENTS WebKitWidgets)
target_link_libraries(tst_browser PRIVATE Qt5::WebKitWidgets Qt5::Network)
target_compile_definitions(tst_browser PRIVATE
  LORVANE_BROWSER_PLUGIN_PATH="$<TARGET_FILE:lorvane_browser>")

# search and replace across chapters: matching, the background run, backups, the window
lorvane_add_test(NAME tst_searchwindow KIND widgets SOURCES widgets/tst_searchwindow.cpp)

# keys, context menus and timers of the main window
lorvane_add_test(NAME tst_windowwiring KIND widgets SOURCES widgets/tst_windowwiring.cpp)

# writing statistics: live count, log, goal label, the window, the library's counts
lorvane_add_test(NAME tst_stats KIND widgets SOURCES widgets/tst_stats.cpp)
