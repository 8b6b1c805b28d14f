# The shipped setup.exe: the win32 thread model keeps the threading runtime, which the program
# never uses, out of it. The test build (mingw-x86_64.cmake) needs the posix model for GoogleTest.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-x86_64.cmake)
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++)
# Whole-program optimisation at link time: the archiver must keep the compiler's own objects.
set(CMAKE_AR ${TOOLCHAIN_PREFIX}-gcc-ar CACHE FILEPATH "" FORCE)
set(CMAKE_RANLIB ${TOOLCHAIN_PREFIX}-gcc-ranlib CACHE FILEPATH "" FORCE)
set(SETUP_WHOLE_PROGRAM_OPTIMIZATION ON CACHE BOOL "" FORCE)
# No unwind tables for the program's own functions (see CMakeLists.txt).
set(SETUP_UNWIND_TABLES OFF CACHE BOOL "" FORCE)
