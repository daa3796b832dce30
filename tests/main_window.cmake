# Tests of src/main_window (see orvand_add_test in CMakeLists.txt).
