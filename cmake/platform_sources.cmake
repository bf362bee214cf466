# What differs on Windows stands in a pair of files, NAME_posix.cpp and NAME_windows.cpp, of
# which a target builds the one of its platform.
function(tarnwick_platform_sources target)
  if(WIN32)
    set(platform windows)
  else()
    set(platform posix)
  endif()
  list(TRANSFORM ARGN APPEND _${platform}.cpp)
  target_sources(${target} PRIVATE ${ARGN})
endfunction()
