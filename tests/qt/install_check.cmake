# Installs the build into a fresh prefix and checks the program, its menu entry, its
# icon and the bundled lists are where a desktop looks for them.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P install_check.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(file bin/velqora share/applications/velqora.desktop share/icons/hicolor/scalable/apps/velqora.svg
             share/velqora/prj-list.txt share/velqora/gridlist.txt share/velqora/earth-sz.txt
             share/velqora/epsg-grids.txt share/velqora/epsg-not-drawn.txt)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
file(STRINGS ${PREFIX}/share/applications/velqora.desktop entry)
foreach(line "Type=Application" "Name=Velqora" "Exec=${PREFIX}/bin/velqora" "Path=${PREFIX}/share/velqora"
             "Icon=velqora")
  list(FIND entry "${line}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
