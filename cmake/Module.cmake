# tapestro_reaches_qt(FILE OUT): whether FILE includes a Qt header, itself or through the
# project's own headers it includes.
function(tapestro_reaches_qt file out)
  get_property(known GLOBAL PROPERTY "tapestro_reaches_qt:${file}" SET)
  if(known)
    get_property(reaches GLOBAL PROPERTY "tapestro_reaches_qt:${file}")
    set(${out} ${reaches} PARENT_SCOPE)
    return()
  endif()
  # Marked first, so that headers that include each other end the walk.
  set_property(GLOBAL PROPERTY "tapestro_reaches_qt:${file}" OFF)
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
  set(reaches OFF)
  foreach(line IN LISTS includes)
    if(line MATCHES "<Q[A-Za-z]+>|<Qt[A-Za-z]+/")
      set(reaches ON)
    elseif(line MATCHES "\"([^\"]+)\"" AND EXISTS ${PROJECT_SOURCE_DIR}/${CMAKE_MATCH_1})
      tapestro_reaches_qt(${PROJECT_SOURCE_DIR}/${CMAKE_MATCH_1} reaches)
    endif()
    if(reaches)
      break()
    endif()
  endforeach()
  set_property(GLOBAL PROPERTY "tapestro_reaches_qt:${file}" ${reaches})
  set(${out} ${reaches} PARENT_SCOPE)
endfunction()

# tapestro_module(NAME DEPS...): one static library per module folder, made of every
# source file in that folder and its subfolders (platform back ends live in subfolders).
# Without Qt (TAPESTRO_GUI off) a module keeps the files that reach no Qt header and
# drops its Qt libraries: the Windows build's services, settings and wallpaper
# preparation.
function(tapestro_module name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  # Each operating system compiles only its own back ends.
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "/linux/")
  else()
    list(FILTER sources EXCLUDE REGEX "/windows/")
  endif()
  set(deps ${ARGN})
  if(NOT TAPESTRO_GUI)
    list(FILTER deps EXCLUDE REGEX "^Qt6::")
    foreach(source IN LISTS sources)
      tapestro_reaches_qt(${source} reaches)
      if(reaches)
        list(REMOVE_ITEM sources ${source})
      endif()
    endforeach()
  endif()
  # Headers stay in the list so that AUTOMOC sees every Q_OBJECT class.
  add_library(tapestro_${name} STATIC ${sources})
  target_include_directories(tapestro_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(tapestro_${name} PUBLIC ${deps} tapestro_sanitizers PRIVATE tapestro_warnings)
  # The incremental moc step does not notice a header that first appears after a
  # pull, and its signals would then be missing at link time: when the set of headers
  # changes, dropping the step's timestamp makes it run again.
  set(headers ${sources})
  list(FILTER headers INCLUDE REGEX "\\.h$")
  set(header_list ${CMAKE_CURRENT_BINARY_DIR}/${name}_headers.txt)
  set(previous "")
  if(EXISTS ${header_list})
    file(READ ${header_list} previous)
  endif()
  if(NOT previous STREQUAL "${headers}")
    file(WRITE ${header_list} "${headers}")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/tapestro_${name}_autogen/timestamp)
  endif()
endfunction()
