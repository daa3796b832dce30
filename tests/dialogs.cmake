# Tests of src/dialogs (see orvand_add_test in CMakeLists.txt).
