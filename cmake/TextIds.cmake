# The text tool and the header it makes from the text sources: every entry a
# source line names ("@number NAME|text") becomes a constant of
# text/TextIds.h, which the engine layer and everything above it include.
# Made in every build, the sanitizer and fuzz builds too, which take the
# other resource files from a plain build.
add_executable(texttable ${CMAKE_SOURCE_DIR}/tools/text/texttable.cpp ${CMAKE_SOURCE_DIR}/engine/TextTable.cpp
               ${CMAKE_SOURCE_DIR}/engine/FontString.cpp)
target_include_directories(texttable PRIVATE ${CMAKE_SOURCE_DIR})

file(GLOB TEXT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/text/*.txt)
list(SORT TEXT_SOURCES)
set(TEXT_IDS_DIR ${CMAKE_BINARY_DIR}/generated)
add_custom_command(
  OUTPUT ${TEXT_IDS_DIR}/text/TextIds.h
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TEXT_IDS_DIR}/text
  COMMAND texttable --ids ${TEXT_IDS_DIR}/text/TextIds.h ${TEXT_SOURCES}
  DEPENDS texttable ${TEXT_SOURCES})
add_custom_target(text_ids DEPENDS ${TEXT_IDS_DIR}/text/TextIds.h)
add_dependencies(corvelle_engine text_ids)
target_include_directories(corvelle_engine PUBLIC ${TEXT_IDS_DIR})
