# SPDX-License-Identifier: GPL-3.0-or-later
# The hardening a distribution builds its programs with: fortified C library
# calls, stack protection, a read-only relocation table bound at start-up, and
# position-independent executables. Each is added only where the user's own
# CMAKE_CXX_FLAGS, CMAKE_EXE_LINKER_FLAGS or CMAKE_POSITION_INDEPENDENT_CODE
# do not choose it already (for or against), so a packager's flags win.
# Sanitizer and fuzzing builds go without: their run-time checks replace these.
option(VISTAL_HARDENING "Build with fortified calls, stack protection, full RELRO and PIE" ON)

if(VISTAL_HARDENING AND NOT VISTAL_SANITIZE AND NOT VISTAL_FUZZ)
  string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
  set(user_cxx_flags "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}}")
  set(user_link_flags "${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_${build_type}}")

  # The fortified calls exist only in optimised code; the C library warns
  # about them at -O0.
  if(NOT user_cxx_flags MATCHES "_FORTIFY_SOURCE" AND user_cxx_flags MATCHES "-O([1-9sgz]|fast)")
    # -U first: some compilers define it themselves, and a second definition warns.
    add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2)
  endif()
  if(NOT user_cxx_flags MATCHES "-f(no-)?stack-protector")
    add_compile_options(-fstack-protector-strong)
  endif()
  if(NOT user_link_flags MATCHES "relro")
    add_link_options(LINKER:-z,relro)
  endif()
  if(NOT user_link_flags MATCHES "-z,?(now|lazy)")
    add_link_options(LINKER:-z,now)
  endif()

  # Most distributions' compilers build position-independent executables
  # already; where this one does not, CMake's own setting asks for them.
  if(NOT DEFINED CMAKE_POSITION_INDEPENDENT_CODE AND NOT user_cxx_flags MATCHES "-f(no-)?(pie|PIE|pic|PIC)")
    include(CheckCXXSourceCompiles)
    check_cxx_source_compiles("#ifndef __PIE__\n#error\n#endif\nint main() {}" VISTAL_COMPILER_DEFAULT_PIE)
    if(NOT VISTAL_COMPILER_DEFAULT_PIE)
      include(CheckPIESupported)
      check_pie_supported()
      set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    endif()
  endif()
endif()
