# Tests of src/output (see orvand_add_test in CMakeLists.txt).
