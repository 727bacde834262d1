# Cross build for 32-bit Windows with MinGW-w64.  The -posix compilers carry the
# thread model that std::mutex needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CIMPORT_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${CIMPORT_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CIMPORT_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${CIMPORT_MINGW_PREFIX}-windres)
set(CMAKE_DLLTOOL ${CIMPORT_MINGW_PREFIX}-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/${CIMPORT_MINGW_PREFIX})
# Build-time tools (bison, re2c) run on the build machine; libraries and headers
# come from the target's root only.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The binaries run under wine when tests or generators need to execute them.
find_program(CIMPORT_WINE wine)
if(CIMPORT_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CIMPORT_WINE})
endif()
