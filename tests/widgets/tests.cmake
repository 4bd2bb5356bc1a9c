# main window shell
lorvane_add_test(NAME tst_mainwindow_shell KIND widgets SOURCES widgets/tst_mainwindow_shell.cpp)

# chrome, catalog, autosave

# catalog editing, recycle bin, import and export

# count, themes, typesetting, settings dialog

# desktop services, system actions

# writing lock

# find, formatting, browser
lorvane_add_test(NAME tst_find KIND widgets SOURCES widgets/tst_find.cpp)
