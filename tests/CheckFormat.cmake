# Fails when a C++ file of the project does not follow .clang-format.
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/game/*.cpp ${SOURCE_DIR}/game/*.h ${SOURCE_DIR}/menu/*.cpp ${SOURCE_DIR}/menu/*.h
     ${SOURCE_DIR}/window/*.cpp ${SOURCE_DIR}/window/*.h ${SOURCE_DIR}/sound/*.cpp ${SOURCE_DIR}/sound/*.h
     ${SOURCE_DIR}/util/*.cpp ${SOURCE_DIR}/util/*.h ${SOURCE_DIR}/levelcheck/*.cpp ${SOURCE_DIR}/levelcheck/*.h
     ${SOURCE_DIR}/editor/*.cpp ${SOURCE_DIR}/editor/*.h ${SOURCE_DIR}/tools/*.cpp ${SOURCE_DIR}/tools/*.h
     ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/fuzz/*.cpp)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror ${sources}
                WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Files not formatted as .clang-format says (run clang-format -i on them):\n${errors}")
endif()
