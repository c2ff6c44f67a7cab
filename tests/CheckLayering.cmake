# Fails when a source file outside window/ and sound/, or in their null platforms, includes an SDL header,
# or when a file of the rules (game/rules/) reaches for the window or sound layer at all.
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/game/*.cpp ${SOURCE_DIR}/game/*.h
     ${SOURCE_DIR}/menu/*.cpp ${SOURCE_DIR}/menu/*.h
     ${SOURCE_DIR}/util/*.cpp ${SOURCE_DIR}/util/*.h
     ${SOURCE_DIR}/levelcheck/*.cpp ${SOURCE_DIR}/levelcheck/*.h
     ${SOURCE_DIR}/editor/*.cpp ${SOURCE_DIR}/editor/*.h
     ${SOURCE_DIR}/window/null/*.cpp ${SOURCE_DIR}/window/null/*.h
     ${SOURCE_DIR}/sound/null/*.cpp ${SOURCE_DIR}/sound/null/*.h)
set(offenders "")
foreach(f ${sources})
  file(STRINGS ${SOURCE_DIR}/${f} hits REGEX "#[ \t]*include[ \t]*[<\"]SDL")
  if(hits)
    list(APPEND offenders ${f})
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "SDL included outside the SDL platforms in window/ and sound/: ${offenders}")
endif()
file(GLOB rules RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/game/rules/*.cpp ${SOURCE_DIR}/game/rules/*.h)
foreach(f ${rules})
  file(STRINGS ${SOURCE_DIR}/${f} hits REGEX "#[ \t]*include[ \t]*\"(window|sound)/|Vitrine::|Music::")
  if(hits)
    list(APPEND offenders ${f})
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "the rules reach for the window or sound layer: ${offenders}")
endif()
message(STATUS "layering ok: ${CMAKE_MATCH_COUNT}")
