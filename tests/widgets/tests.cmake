# main window shell
lorvane_add_test(NAME tst_mainwindow_shell KIND widgets SOURCES widgets/tst_mainwindow_shell.cpp)

# chrome, catalog, autosave
lorvane_add_test(NAME tst_chrome KIND widgets SOURCES widgets/tst_chrome.cpp)
lorvane_add_test(NAME tst_messagebox KIND widgets SOURCES widgets/tst_messagebox.cpp)
lorvane_add_test(NAME tst_catalog KIND widgets SOURCES widgets/tst_catalog.cpp)
lorvane_add_test(NAME tst_autosave KIND widgets SOURCES widgets/tst_autosave.cpp)
lorvane_add_test(NAME tst_terminationwatcher KIND unit SOURCES unit/tst_terminationwatcher.cpp)

# catalog editing, recycle bin, import and export
lorvane_add_test(NAME tst_catalogedit KIND widgets SOURCES widgets/tst_catalogedit.cpp)
lorvane_add_test(NAME tst_bookio KIND widgets SOURCES widgets/tst_bookio.cpp)
lorvane_add_test(NAME tst_recycle KIND widgets SOURCES widgets/tst_recycle.cpp)

# count, themes, typesetting, settings dialog

# desktop services, system actions
lorvane_add_test(NAME tst_systemactions KIND widgets SOURCES widgets/tst_systemactions.cpp)

# writing lock

# find, formatting, browser
