# Flags shared by every target of one configuration.
add_compile_options(-Wall -Wextra -Wpedantic)

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
    if(source MATCHES "_win\\.cpp$" AND NOT WIN32)
      continue()
    elseif(source MATCHES "_posix\\.cpp$" AND WIN32)
      continue()
    endif()
    list(APPEND kept ${source})
  endforeach()
  set(${out} ${kept} PARENT_SCOPE)
endfunction()

# Adds a subsystem's sources: _win files to the Windows program library,
# the rest to the platform-free core.
function(nightlatch_add_sources)
  foreach(source IN LISTS ARGN)
    get_filename_component(path ${source} ABSOLUTE)
    if(source MATCHES "_win\\.cpp$")
      if(WIN32)
        target_sources(nightlatch_app PRIVATE ${path})
      endif()
    else()
      target_sources(nightlatch_core PRIVATE ${path})
    endif()
  endforeach()
endfunction()
