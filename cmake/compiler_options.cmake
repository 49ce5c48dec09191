# Flags shared by every target of one configuration.
add_compile_options(-Wall -Wextra -Wpedantic)
if(NIGHTLATCH_WERROR)
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Werror>)
endif()

if(WIN32)
  add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
  # char16_t texts are viewed as wchar_t at Win32 call sites.
  add_compile_options(-fno-strict-aliasing)
  # Win32 structs are started as { sizeof(T) } and zero-filled.
  add_compile_options(-Wno-missing-field-initializers)
  # Runs on a bare Windows: no MinGW runtime DLLs beside the programs.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Shipped programs carry no symbols.
  add_link_options($<$<CONFIG:Release>:-s>)
endif()

if(NIGHTLATCH_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(NIGHTLATCH_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Sources of a platform-bound piece end in _win; native builds use _posix.
function(nightlatch_platform_sources out)
  set(kept)
  foreach(source IN LISTS ARGN)
    if(source MATCHES "_win\\.(cpp|h|rc)$" AND NOT WIN32)
      continue()
    elseif(source MATCHES "_posix\\.cpp$" AND WIN32)
      continue()
    endif()
    list(APPEND kept ${source})
  endforeach()
  set(${out} ${kept} PARENT_SCOPE)
endfunction()

# The layer graph. Every library and program says which libraries its files
# may include from (USES, also its link list); scripts/check-layers.py reads
# the graph written at the end of the configure and fails on any other
# include.
function(nightlatch_record_layer name)
  set(uses)
  foreach(used IN LISTS ARGN)
    string(REGEX REPLACE "^nightlatch_" "" used ${used})
    list(APPEND uses ${used})
  endforeach()
  string(REGEX REPLACE "^nightlatch_" "" short ${name})
  string(JOIN " " line "uses" ${short} ${uses})
  set_property(GLOBAL APPEND PROPERTY NIGHTLATCH_LAYER_GRAPH "${line}")
endfunction()

function(nightlatch_record_files name)
  string(REGEX REPLACE "^nightlatch_" "" short ${name})
  foreach(source IN LISTS ARGN)
    get_filename_component(path ${source} ABSOLUTE)
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${path})
    set_property(GLOBAL APPEND PROPERTY NIGHTLATCH_LAYER_GRAPH "file ${short} ${relative}")
  endforeach()
endfunction()

# nightlatch_library(name SOURCES files... USES libraries... [SYSTEM win32libs...])
# One static library per subsystem or layer. Natively only its platform-free
# files build; with none left it is a header-only library.
function(nightlatch_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;USES;SYSTEM")
  nightlatch_record_layer(${name} ${arg_USES})
  nightlatch_record_files(${name} ${arg_SOURCES})
  nightlatch_platform_sources(kept ${arg_SOURCES})
  set(compiled ${kept})
  list(FILTER compiled INCLUDE REGEX "\\.cpp$")
  set(linked ${arg_USES})
  if(compiled)
    add_library(${name} STATIC ${kept})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${linked})
    if(WIN32)
      target_link_libraries(${name} PUBLIC ${arg_SYSTEM})
    endif()
  else()
    add_library(${name} INTERFACE ${kept})
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${linked})
    if(WIN32)
      target_link_libraries(${name} INTERFACE ${arg_SYSTEM})
    endif()
  endif()
endfunction()

# nightlatch_program(name SOURCES files... USES libraries...): a Windows
# program on top of the graph.
function(nightlatch_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;USES")
  nightlatch_record_layer(${name} ${arg_USES})
  nightlatch_record_files(${name} ${arg_SOURCES})
  if(NOT WIN32)
    return()
  endif()
  add_executable(${name} WIN32 ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_USES})
  target_link_options(${name} PRIVATE -municode)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()

# Written once every library is defined.
function(nightlatch_write_layer_graph)
  get_property(lines GLOBAL PROPERTY NIGHTLATCH_LAYER_GRAPH)
  string(JOIN "\n" text ${lines})
  file(WRITE ${CMAKE_BINARY_DIR}/layer-graph.txt "${text}\n")
endfunction()
