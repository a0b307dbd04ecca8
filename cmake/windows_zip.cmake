# The Windows release: velqora-windows.zip in the build folder, one folder velqora/
# holding the program, the bundled lists and a short read-me for the user. The
# program reads its lists from the folder it starts in, which for a double-click is
# its own, so the lists go right beside it.
#   cmake --build build-win32 --target velqora_windows_zip
if(NOT TARGET velqora)
  message(STATUS "No velqora target yet: velqora-windows.zip cannot be made")
  return()
endif()

set(VELQORA_ZIP ${CMAKE_BINARY_DIR}/velqora-windows.zip)
set(VELQORA_ZIP_STAGE ${CMAKE_BINARY_DIR}/velqora-windows)
set(VELQORA_ZIP_FOLDER ${VELQORA_ZIP_STAGE}/velqora)

# The lists are copied byte for byte: they keep their CRLF line ends.
file(GLOB VELQORA_ZIP_LISTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*.txt)

# Notepad wants CRLF line ends, whatever the checkout has.
set(VELQORA_ZIP_README ${CMAKE_BINARY_DIR}/README.txt)
configure_file(${CMAKE_SOURCE_DIR}/win32/README-windows.txt ${VELQORA_ZIP_README}
               @ONLY NEWLINE_STYLE CRLF)

# The zip lists the read-me first, then the programs (the window and the batch
# converter, a console program), then the lists.
set(VELQORA_ZIP_PROGRAMS velqora)
if(TARGET velqora-convert)
  list(APPEND VELQORA_ZIP_PROGRAMS velqora-convert)
endif()
set(VELQORA_ZIP_ENTRIES velqora/README.txt)
set(VELQORA_ZIP_PROGRAM_FILES "")
foreach(program ${VELQORA_ZIP_PROGRAMS})
  list(APPEND VELQORA_ZIP_ENTRIES velqora/$<TARGET_FILE_NAME:${program}>)
  list(APPEND VELQORA_ZIP_PROGRAM_FILES $<TARGET_FILE:${program}>)
endforeach()
foreach(list ${VELQORA_ZIP_LISTS})
  get_filename_component(name ${list} NAME)
  list(APPEND VELQORA_ZIP_ENTRIES velqora/${name})
endforeach()

add_custom_command(
  OUTPUT ${VELQORA_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VELQORA_ZIP_STAGE} ${VELQORA_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELQORA_ZIP_FOLDER}
  COMMAND ${CMAKE_COMMAND} -E copy ${VELQORA_ZIP_PROGRAM_FILES} ${VELQORA_ZIP_README}
          ${VELQORA_ZIP_LISTS} ${VELQORA_ZIP_FOLDER}
  COMMAND ${CMAKE_COMMAND} -E chdir ${VELQORA_ZIP_STAGE}
          ${CMAKE_COMMAND} -E tar cf ${VELQORA_ZIP} --format=zip ${VELQORA_ZIP_ENTRIES}
  DEPENDS ${VELQORA_ZIP_PROGRAMS} ${VELQORA_ZIP_README} ${VELQORA_ZIP_LISTS}
  COMMENT "Packing velqora-windows.zip"
  VERBATIM)
add_custom_target(velqora_windows_zip DEPENDS ${VELQORA_ZIP})
