# Undoes `cmake --install`: removes the files it installed, then brings the desktop's caches
# in that prefix up to date, so that no cache sends .led files to a menu entry that is gone; a
# cache left describing nothing is removed too.
#   cmake -DMANIFEST=build/installed_files.txt -P cmake/uninstall.cmake
# (`cmake --build build --target uninstall` runs it on the build's own list.)
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "${MANIFEST} does not exist: nothing was installed from this build")
endif()

file(STRINGS "${MANIFEST}" installed)
set(share "")
foreach(file IN LISTS installed)
  if(file MATCHES "^(.*)/mime/packages/lumera\\.xml$")
    set(share "${CMAKE_MATCH_1}")
  endif()
  if(EXISTS "${file}" OR IS_SYMLINK "${file}")
    message(STATUS "Removing: ${file}")
    file(REMOVE "${file}")
  endif()
endforeach()

# Lumera's own folders, once empty.
foreach(file IN LISTS installed)
  get_filename_component(folder "${file}" DIRECTORY)
  while(folder MATCHES "/lumera(/translations)?$|/hicolor/[^/]+(/apps)?$")
    file(GLOB left LIST_DIRECTORIES true "${folder}/*")
    if(left OR NOT IS_DIRECTORY "${folder}")
      break()
    endif()
    file(REMOVE_RECURSE "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()

# lumera_refresh(FOLDER CACHE SOURCES TOOL ARGUMENT...): CACHE in FOLDER is made from the
# files that match SOURCES: remade while some are left, removed when none is. Only a cache
# that the install refreshed is touched (a staged install refreshes none).
function(lumera_refresh folder cache sources tool)
  if(NOT EXISTS "${folder}/${cache}")
    return()
  endif()
  file(GLOB_RECURSE left "${folder}/${sources}")
  list(FILTER left EXCLUDE REGEX "/${cache}$")
  if(NOT left)
    message(STATUS "Removing: ${folder}/${cache}")
    file(REMOVE "${folder}/${cache}")
    return()
  endif()
  find_program(found_${tool} ${tool})
  if(NOT found_${tool})
    message(WARNING "${tool} is missing: ${folder}/${cache} still names Lumera's files")
    return()
  endif()
  message(STATUS "Refreshing: ${tool} ${ARGN}")
  execute_process(COMMAND ${found_${tool}} ${ARGN} RESULT_VARIABLE failed)
  if(failed)
    message(WARNING "${tool} failed: ${folder}/${cache} may still name Lumera's files")
  endif()
endfunction()

if(share)
  # The MIME database is made wholly from its packages/ folder.
  if(EXISTS "${share}/mime/mime.cache")
    file(GLOB packages "${share}/mime/packages/*.xml")
    if(packages)
      lumera_refresh("${share}/mime" mime.cache "packages/*.xml" update-mime-database
                     "${share}/mime")
    else()
      message(STATUS "Removing: ${share}/mime")
      file(REMOVE_RECURSE "${share}/mime")
    endif()
  endif()
  lumera_refresh("${share}/applications" mimeinfo.cache "*.desktop" update-desktop-database -q
                 "${share}/applications")
  lumera_refresh("${share}/icons/hicolor" icon-theme.cache "*" gtk-update-icon-cache -q -t -f
                 "${share}/icons/hicolor")
endif()
