# Tests of src/dialogs (see orvand_add_test in CMakeLists.txt).
orvand_add_test(dialogs_kestrel_test GUI dialogs_kestrel_test.cpp LIBS orvand_dialogs Qt6::Test)
orvand_add_test(dialogs_package_test GUI dialogs_package_test.cpp LIBS orvand_dialogs Qt6::Test)
orvand_add_test(dialogs_rthjc_test GUI dialogs_rthjc_test.cpp LIBS orvand_dialogs Qt6::Test)
# The main window's mode handlers, which open these dialogs.
orvand_add_test(main_window_modes_test GUI main_window_modes_test.cpp
  LIBS orvand_main_window Qt6::Test)
orvand_add_test(main_window_runs_test GUI main_window_runs_test.cpp
  LIBS orvand_main_window Qt6::Test)
