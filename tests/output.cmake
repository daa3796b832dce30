# Tests of src/output (see orvand_add_test in CMakeLists.txt).
orvand_add_test(output_show_results_test CORE output_show_results_test.cpp
  LIBS orvand_output orvand_scripted_toolkit)
orvand_add_test(output_report_test CORE output_report_test.cpp LIBS orvand_output)
orvand_add_test(output_report_writer_test CORE output_report_writer_test.cpp
  LIBS orvand_output orvand_scripted_toolkit)
orvand_add_test(main_window_start_test GUI main_window_start_test.cpp
  LIBS orvand_main_window)
