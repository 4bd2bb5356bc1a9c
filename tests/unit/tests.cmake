# configuration, file store, book index
lorvane_add_test(NAME tst_config KIND unit SOURCES unit/tst_config.cpp)
lorvane_add_test(NAME tst_filestore KIND unit SOURCES unit/tst_filestore.cpp)
lorvane_add_test(NAME tst_bookindex KIND unit SOURCES unit/tst_bookindex.cpp)

# catalog rules
lorvane_add_test(NAME tst_catalogrules KIND unit SOURCES unit/tst_catalogrules.cpp)
lorvane_add_test(NAME tst_catalogstore KIND unit SOURCES unit/tst_catalogstore.cpp)

# editor rules: count, typesetting, find
lorvane_add_test(NAME tst_editorrules KIND unit SOURCES unit/tst_editorrules.cpp)

# desktop services and lock rules
