# The fuzz targets, their seed maker and the crafted one-file table, with the address and
# undefined-behaviour sanitizers; clang with libFuzzer. scripts/fuzz.sh configures a build of
# setup-media with SETUP_MEDIA_FUZZ=ON and runs them.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "SETUP_MEDIA_FUZZ needs clang (libFuzzer): configure with CMAKE_CXX_COMPILER=clang++")
endif()
set(SETUP_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
# Everything that reads untrusted bytes is instrumented for the fuzzer's coverage as well.
target_compile_options(setupmediacore PRIVATE ${SETUP_SANITIZERS} -fsanitize=fuzzer-no-link)
target_link_options(setup-media PRIVATE ${SETUP_SANITIZERS})

add_library(fuzzsupport STATIC fuzz/FuzzedOneFile.cpp tests/support/StandInProgram.cpp)
target_link_libraries(fuzzsupport PUBLIC setupmediacore)
target_include_directories(fuzzsupport PUBLIC fuzz tests)
target_compile_options(fuzzsupport PRIVATE ${SETUP_SANITIZERS} -fsanitize=fuzzer-no-link -Wall -Wextra -Wshadow)
target_link_options(fuzzsupport INTERFACE ${SETUP_SANITIZERS})

foreach(pair lzma-decoder:LzmaDecoder profile-text:ProfileText script-check:ScriptCheck one-file:OneFile
             payload-reader:PayloadReader)
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 target)
  list(GET pair 1 source)
  add_executable(fuzz-${target} fuzz/${source}Fuzz.cpp)
  target_link_libraries(fuzz-${target} PRIVATE fuzzsupport)
  target_compile_options(fuzz-${target} PRIVATE ${SETUP_SANITIZERS} -fsanitize=fuzzer -Wall -Wextra -Wshadow)
  target_link_options(fuzz-${target} PRIVATE -fsanitize=fuzzer)
endforeach()
target_compile_definitions(fuzz-script-check PRIVATE SETUP_REPO_ROOT="${SETUP_REPO_ROOT}")
# setup.exe's payload reader and file ranges as they are, over the few platform calls of shim/.
target_sources(fuzz-payload-reader PRIVATE fuzz/shim/MemoryFile.cpp ${SETUP_REPO_ROOT}/src/fsutil/PayloadReader.cpp
  ${SETUP_REPO_ROOT}/src/fsutil/FileRange.cpp)
target_include_directories(fuzz-payload-reader BEFORE PRIVATE fuzz/shim)

add_executable(make-fuzz-seeds fuzz/MakeSeeds.cpp)
target_link_libraries(make-fuzz-seeds PRIVATE fuzzsupport)
target_compile_options(make-fuzz-seeds PRIVATE ${SETUP_SANITIZERS} -Wall -Wextra -Wshadow)

# The crafted one-file table, through the command line in this process, with the sanitizers on.
enable_testing()
if(NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
add_executable(setup-media-crafted-tests tests/CraftedOneFileTest.cpp tests/support/RunTool.cpp tests/support/TempTree.cpp)
target_link_libraries(setup-media-crafted-tests PRIVATE fuzzsupport gtest gtest_main)
target_compile_options(setup-media-crafted-tests PRIVATE ${SETUP_SANITIZERS} -Wall -Wextra -Wshadow)
target_compile_definitions(setup-media-crafted-tests PRIVATE SETUP_REPO_ROOT="${SETUP_REPO_ROOT}")
