# Warning and sanitizer settings for the project's own targets only;
# GoogleTest is built with its own flags.
function(tintra_project_options target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wno-missing-field-initializers)
    if(TINTRA_SANITIZE AND NOT WIN32)
      target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
      target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    endif()
  endif()
endfunction()

# Unicode entry point (wWinMain) and a static runtime, so the exe needs no DLL
# beyond the Windows system ones.
function(tintra_windows_entry target)
  if(MINGW)
    target_link_options(${target} PRIVATE -municode -static -static-libgcc -static-libstdc++)
  elseif(MSVC)
    set_property(TARGET ${target} PROPERTY MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  endif()
endfunction()

# The same commit gives the same exe wherever it is built: source and build
# paths become relative in everything the compiler records (__FILE__, debug
# information), and the PE header carries no link time. __DATE__ and
# __TIME__ follow SOURCE_DATE_EPOCH, which the release script sets.
function(tintra_reproducible_build)
  if(NOT TINTRA_REPRODUCIBLE OR MSVC)
    return()
  endif()
  # The build tree usually sits inside the source tree: the more specific
  # mapping goes last, as GCC tries the last one first.
  # Not for windres, which records no paths and knows no such option.
  add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
                      "$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>")
  if(MINGW)
    add_link_options(-Wl,--no-insert-timestamp)
  endif()
endfunction()

# The shipped exe stays under 1 MiB with the static runtime and exceptions:
# -Os halves the code that -O2's inlining and unrolling make of the
# framework and the standard library, and the linker drops what nothing
# calls. The hot paths spend their time in the window system, not here.
# (Link-time optimisation would save more, but MinGW-w64's GCC 12 stops on
# this code with an internal compiler error.)
function(tintra_size_options)
  if(MINGW)
    add_compile_options("$<$<CONFIG:Release>:-Os>" -ffunction-sections -fdata-sections)
    add_link_options("$<$<CONFIG:Release>:-Wl,--gc-sections>")
  endif()
endfunction()
