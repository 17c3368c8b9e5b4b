# Debian's hardening flags (checked buffer functions; relocations read-only from the start),
# as dpkg-buildflags gives them. The package is built with them; scripts/test.sh builds its
# tree with them too, so that the package test can pack that tree instead of compiling the
# programs a second time.
option(CORVANE_DEBIAN_HARDENING "Compile and link with dpkg-buildflags' hardening flags" OFF)
if(CORVANE_DEBIAN_HARDENING)
  foreach(kind CPPFLAGS LDFLAGS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(debian_${kind} ${flags})
  endforeach()
  add_compile_options(${debian_CPPFLAGS})
  add_link_options(${debian_LDFLAGS})
endif()
