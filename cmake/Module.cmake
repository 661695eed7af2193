# tapestro_module(NAME DEPS...): one static library per module folder, made of every
# source file in that folder and its subfolders (platform back ends live in subfolders).
function(tapestro_module name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  # Each operating system compiles only its own back ends.
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "/linux/")
  else()
    list(FILTER sources EXCLUDE REGEX "/windows/")
  endif()
  # Headers stay in the list so that AUTOMOC sees every Q_OBJECT class.
  add_library(tapestro_${name} STATIC ${sources})
  target_include_directories(tapestro_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(tapestro_${name} PUBLIC ${ARGN} tapestro_sanitizers PRIVATE tapestro_warnings)
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
