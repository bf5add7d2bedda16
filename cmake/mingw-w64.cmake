# Cross-builds the Windows programs with Debian's mingw-w64 (POSIX thread model, for std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TQC_MINGW_HOST x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TQC_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TQC_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${TQC_MINGW_HOST}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TQC_MINGW_HOST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# One file to copy: the C and C++ runtimes and winpthread go into the programs themselves.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# The cross-built wxWidgets lives in its own prefix; its libraries are found there too.
if(wxWidgets_CONFIG_EXECUTABLE)
  get_filename_component(TQC_WX_PREFIX "${wxWidgets_CONFIG_EXECUTABLE}" DIRECTORY)
  get_filename_component(TQC_WX_PREFIX "${TQC_WX_PREFIX}" DIRECTORY)
  list(APPEND CMAKE_FIND_ROOT_PATH "${TQC_WX_PREFIX}")
endif()
