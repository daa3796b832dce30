# Tests of src/main_window (see orvand_add_test in CMakeLists.txt).
orvand_add_test(main_window_layout_test GUI main_window_layout_test.cpp
  LIBS orvand_main_window orvand_version)
orvand_add_test(main_window_checks_test GUI main_window_checks_test.cpp
  LIBS orvand_main_window)
orvand_add_test(main_window_read_inputs_test GUI main_window_read_inputs_test.cpp
  LIBS orvand_main_window)
