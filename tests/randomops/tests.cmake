# random author operations against a model of the library
lorvane_add_test(NAME tst_randomops KIND widgets SOURCES randomops/tst_randomops.cpp
  randomops/world.cpp randomops/world.h randomops/invariants.cpp randomops/operations.cpp)
set_tests_properties(tst_randomops PROPERTIES TIMEOUT 600)
