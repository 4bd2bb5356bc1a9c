target_sources(lorvane_core PRIVATE
  library/textfile.cpp library/textfile.h
  library/filecreate.cpp library/filecreate.h
  library/sqliteoper.cpp library/sqliteoper.h
  library/mainwindow_catalog.cpp
)
