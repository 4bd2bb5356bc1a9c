# configuration, file store, book index
lorvane_add_test(NAME tst_config KIND unit SOURCES unit/tst_config.cpp)
lorvane_add_test(NAME tst_filestore KIND unit SOURCES unit/tst_filestore.cpp)
lorvane_add_test(NAME tst_bookindex KIND unit SOURCES unit/tst_bookindex.cpp)

# catalog rules

# editor rules: count, typesetting, find
lorvane_add_test(NAME tst_countdisplay KIND unit SOURCES unit/tst_countdisplay.cpp)
lorvane_add_test(NAME tst_typesetting KIND unit SOURCES unit/tst_typesetting.cpp)
lorvane_add_test(NAME tst_editorkeys KIND unit SOURCES unit/tst_editorkeys.cpp)

# theme and settings dialog rules
lorvane_add_test(NAME tst_themestyle KIND unit SOURCES unit/tst_themestyle.cpp)

# desktop services and lock rules
