# main window shell
lorvane_add_test(NAME tst_mainwindow_shell KIND widgets SOURCES widgets/tst_mainwindow_shell.cpp)

# chrome, catalog, autosave

# catalog editing, recycle bin, import and export

# count, themes, typesetting, settings dialog
lorvane_add_test(NAME tst_dialogsetting KIND widgets SOURCES widgets/tst_dialogsetting.cpp)
lorvane_add_test(NAME tst_mainwindow_editor KIND widgets SOURCES widgets/tst_mainwindow_editor.cpp)

# desktop services, system actions

# writing lock

# find, formatting, browser
