# Tests of src/main_window (see orvand_add_test in CMakeLists.txt).
orvand_add_test(main_window_layout_test GUI main_window_layout_test.cpp
  LIBS orvand_main_window orvand_version)
orvand_add_test(main_window_checks_test GUI main_window_checks_test.cpp
  LIBS orvand_main_window)
orvand_add_test(main_window_read_inputs_test GUI main_window_read_inputs_test.cpp
  LIBS orvand_main_window)
# Every window as drawn, against the pictures in reference/; a window that
# differs is saved under rendered-images/ in the build.
orvand_add_test(rendered_images_test GUI rendered_images_test.cpp LIBS orvand_main_window)
target_compile_definitions(rendered_images_test PRIVATE
  ORVAND_REFERENCE_IMAGES="${CMAKE_CURRENT_SOURCE_DIR}/reference"
  ORVAND_RENDERED_IMAGES="${CMAKE_CURRENT_BINARY_DIR}/rendered-images")
