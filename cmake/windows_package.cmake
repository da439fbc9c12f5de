# The zip a Windows user downloads: both programs in bin/, the README, and the manual pages as
# plain text in doc/ (Windows has no man), made by `cpack --preset windows`.
# Every page in man/, looked for again at each build.
file(GLOB CHESS_MANUAL_PAGES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/man/*.6)

find_program(CHESS_MAN_RENDERER NAMES mandoc groff)
if(CHESS_MANUAL_PAGES AND NOT CHESS_MAN_RENDERER)
  message(FATAL_ERROR "the manual pages need mandoc or groff to become text")
endif()
set(CHESS_MANUAL_TEXTS)
foreach(source IN LISTS CHESS_MANUAL_PAGES)
  get_filename_component(page ${source} NAME_WE)
  set(text ${PROJECT_BINARY_DIR}/doc/${page}.txt)
  add_custom_command(OUTPUT ${text}
    COMMAND ${CMAKE_COMMAND} -DRENDERER=${CHESS_MAN_RENDERER} -DPAGE=${source} -DTEXT=${text}
            -P ${PROJECT_SOURCE_DIR}/cmake/render_man.cmake
    DEPENDS ${source} ${PROJECT_SOURCE_DIR}/cmake/render_man.cmake
    COMMENT "Rendering man/${page}.6 as text")
  list(APPEND CHESS_MANUAL_TEXTS ${text})
endforeach()
if(CHESS_MANUAL_TEXTS)
  add_custom_target(manual_texts ALL DEPENDS ${CHESS_MANUAL_TEXTS})
  install(FILES ${CHESS_MANUAL_TEXTS} DESTINATION doc)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-windows-x86_64)
include(CPack)
