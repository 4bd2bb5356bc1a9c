# configuration, file store, book index
lorvane_add_test(NAME tst_config KIND unit SOURCES unit/tst_config.cpp)
lorvane_add_test(NAME tst_filestore KIND unit SOURCES unit/tst_filestore.cpp)
lorvane_add_test(NAME tst_bookindex KIND unit SOURCES unit/tst_bookindex.cpp)

# catalog rules

# editor rules: count, typesetting, find
lorvane_add_test(NAME tst_findrules KIND unit SOURCES unit/tst_findrules.cpp)
lorvane_add_test(NAME tst_webaddresses KIND unit SOURCES unit/tst_webaddresses.cpp)

# desktop services and lock rules
