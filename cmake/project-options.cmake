# Compiler settings shared by every target of the project (not by GoogleTest).
add_library(qsh_options INTERFACE)
target_compile_options(qsh_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  # Sources are UTF-8; the program's texts are GBK bytes in the binaries.
  -finput-charset=UTF-8 -fexec-charset=GBK)
target_include_directories(qsh_options INTERFACE ${PROJECT_SOURCE_DIR})

if(WIN32)
  target_compile_definitions(qsh_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # No DLL beside the exe: the C and C++ runtimes and winpthread go in statically.
  target_link_options(qsh_options INTERFACE -static -static-libgcc -static-libstdc++
    -Wl,--dynamicbase -Wl,--nxcompat -Wl,--tsaware
    $<$<CONFIG:Release>:-s -Wl,--gc-sections>)
  target_compile_options(qsh_options INTERFACE
    $<$<CONFIG:Release>:-ffunction-sections -fdata-sections>)
endif()
