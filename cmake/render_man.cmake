# Renders a manual page as plain text: RENDERER (mandoc or groff) writes PAGE for a terminal,
# and the overstrikes it uses for bold and underline (a character, a backspace, a character)
# are reduced to the character shown, so TEXT reads in any editor.
get_filename_component(renderer_name ${RENDERER} NAME)
if(renderer_name STREQUAL "groff")
  set(arguments -man -Tascii -P-c)
else()
  set(arguments -Tascii)
endif()
execute_process(COMMAND ${RENDERER} ${arguments} ${PAGE}
  OUTPUT_VARIABLE text RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${RENDERER} could not render ${PAGE}")
endif()
string(ASCII 8 backspace)
string(REGEX REPLACE ".${backspace}" "" text "${text}")
file(WRITE ${TEXT} "${text}")
