target_sources(lorvane_core PRIVATE
  # writing log, live count, statistics window
  app/mainwindow_stats.cpp
  stats/paragraphcounter.cpp stats/paragraphcounter.h
  stats/writinglog.cpp stats/writinglog.h
  stats/writingstore.cpp stats/writingstore.h
  stats/dailygoal.cpp stats/dailygoal.h
  stats/chaptercounts.cpp stats/chaptercounts.h
  stats/sqlbatch.h
)
target_sources(lorvane_core PRIVATE
  stats/statssummary.cpp stats/statssummary.h
  stats/statscharts.cpp stats/statscharts.h
  stats/statswindow.cpp stats/statswindow.h
)
