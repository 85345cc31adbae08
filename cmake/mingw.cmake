# Cross-compiling for Windows with Debian's mingw-w64.
# TAVRIN_PROCESSOR picks the target:
#   i686   - 32-bit Windows: the shipped executable, and everything on machines that run 32-bit code.
#   x86_64 - 64-bit Windows: the same sources for machines that run 64-bit code only (wine64).
# TAVRIN_THREAD_MODEL picks the compiler variant:
#   win32 - the programs: their static runtime imports only functions Windows XP has.
#   posix - the test executables: GoogleTest needs std::mutex, which only this variant provides.
set(CMAKE_SYSTEM_NAME Windows)

if(NOT TAVRIN_PROCESSOR)
  set(TAVRIN_PROCESSOR i686)
endif()
if(NOT TAVRIN_PROCESSOR MATCHES "^(i686|x86_64)$")
  message(FATAL_ERROR "TAVRIN_PROCESSOR is ${TAVRIN_PROCESSOR}: it must be i686 or x86_64")
endif()
set(TAVRIN_PROCESSOR "${TAVRIN_PROCESSOR}" CACHE STRING "target processor: i686 or x86_64")
set(CMAKE_SYSTEM_PROCESSOR ${TAVRIN_PROCESSOR})

if(NOT TAVRIN_THREAD_MODEL)
  set(TAVRIN_THREAD_MODEL win32)
endif()
set(TAVRIN_THREAD_MODEL "${TAVRIN_THREAD_MODEL}" CACHE STRING "mingw-w64 thread model: win32 or posix")

set(_prefix ${TAVRIN_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER   ${_prefix}-gcc-${TAVRIN_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${_prefix}-g++-${TAVRIN_THREAD_MODEL})
set(CMAKE_RC_COMPILER  ${_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything built here runs under Wine through the project's own runner.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
