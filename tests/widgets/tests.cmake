# main window shell: start, quit, system actions
lorvane_add_test(NAME tst_mainwindow_shell KIND widgets SOURCES widgets/tst_mainwindow_shell.cpp)

# chrome and message box; catalog (labels, numbering, refusals), the open chapter, autosave
lorvane_add_test(NAME tst_chrome KIND widgets SOURCES widgets/tst_chrome.cpp)
lorvane_add_test(NAME tst_catalog KIND widgets SOURCES widgets/tst_catalog.cpp)

# recycle bin
lorvane_add_test(NAME tst_recycle KIND widgets SOURCES widgets/tst_recycle.cpp)

# count, themes, typesetting, find, formatting, settings dialog
lorvane_add_test(NAME tst_dialogsetting KIND widgets SOURCES widgets/tst_dialogsetting.cpp)

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

# catalog column width: the start width, window sizes, dragging
lorvane_add_test(NAME tst_catalogpanel KIND widgets SOURCES widgets/tst_catalogpanel.cpp)

# whole-book text import: headings, splitting, encodings, the preview, the export read back
lorvane_add_test(NAME tst_txtimport KIND widgets SOURCES widgets/tst_txtimport.cpp)

# writing statistics: what counts as writing, the log and its window, the count and goal labels
lorvane_add_test(NAME tst_stats KIND widgets SOURCES widgets/tst_stats.cpp)
