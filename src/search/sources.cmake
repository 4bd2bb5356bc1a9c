target_sources(lorvane_core PRIVATE
  # matching rules, reading chapters for a search, replacing across chapters
  search/textmatcher.cpp search/textmatcher.h
  search/searchtarget.cpp search/searchtarget.h
  search/chapterreplace.cpp search/chapterreplace.h

  # the background search and the 全书查找 window
  search/searchrun.cpp search/searchrun.h
  search/searchhost.h
  search/hitdelegate.cpp search/hitdelegate.h
  search/searchwindow.cpp search/searchwindow.h search/searchwindow.ui
)
