# main window shell: start, quit, system actions
lorvane_add_test(NAME tst_mainwindow_shell KIND widgets SOURCES widgets/tst_mainwindow_shell.cpp)

# chrome and message box; catalog refusals and failures, the recycle bin
lorvane_add_test(NAME tst_chrome KIND widgets SOURCES widgets/tst_chrome.cpp)
lorvane_add_test(NAME tst_catalog KIND widgets SOURCES widgets/tst_catalog.cpp)

# count, themes, typesetting, find, formatting, settings dialog
lorvane_add_test(NAME tst_dialogsetting KIND widgets SOURCES widgets/tst_dialogsetting.cpp)
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

# catalog column width: the start width, window sizes, dragging
lorvane_add_test(NAME tst_catalogpanel KIND widgets SOURCES widgets/tst_catalogpanel.cpp)

# writing statistics: live count, log, goal label, the window, the library's counts
lorvane_add_test(NAME tst_stats KIND widgets SOURCES widgets/tst_stats.cpp)
