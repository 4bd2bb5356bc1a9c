# main window shell
lorvane_add_test(NAME tst_mainwindow_shell KIND widgets SOURCES widgets/tst_mainwindow_shell.cpp)

# chrome, catalog, autosave

# catalog editing, recycle bin, import and export

# count, themes, typesetting, settings dialog

# desktop services, system actions
lorvane_add_test(NAME tst_systemactions KIND widgets SOURCES widgets/tst_systemactions.cpp)

# writing lock
lorvane_add_test(NAME tst_lockdialog KIND widgets SOURCES widgets/tst_lockdialog.cpp)
lorvane_add_test(NAME tst_writinglock KIND widgets SOURCES widgets/tst_writinglock.cpp)

# find, formatting, browser
