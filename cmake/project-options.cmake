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

# Reproducible binaries: the same sources give the same bytes of the exe in
# any folder and at any time, so that anyone can check a release against the
# source. Set for every target (not only through qsh_options), so that a
# library added later cannot bring a folder name or a time stamp in.
if(WIN32)
  # The linker would write the link time into the COFF header (and so into
  # the header's checksum).
  add_link_options(-Wl,--no-insert-timestamp)
  # __DATE__ and __TIME__ would bring the clock back in, so they are refused.
  # __FILE__, assertions and debug records name files relative to the tree;
  # the build folder's map comes last so that it wins where the build folder
  # lies inside the source folder. C and C++ only: windres knows neither
  # option and writes no file names.
  add_compile_options(
    "$<$<COMPILE_LANGUAGE:C,CXX>:-Werror=date-time>"
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>"
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}/=build/>")
endif()
