# The shipped program's build without link-time optimisation, for scripts/size-map.sh: a link map
# of a whole-program build cannot tell which source a piece of code came from.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-x86_64-shipped.cmake)
set(SETUP_WHOLE_PROGRAM_OPTIMIZATION OFF CACHE BOOL "" FORCE)
