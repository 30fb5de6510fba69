# The hardening a distribution builds its programs with (Debian's dpkg-buildflags with
# hardening=+all): stack protector, fortified libc calls, format checks, a read-only relocation table
# bound at start (the compiler already makes position-independent executables). Flags the builder
# passes in CXXFLAGS come after these and win.
add_compile_options(-fstack-protector-strong -fstack-clash-protection -Wformat -Werror=format-security)
# Fortified calls need the optimiser; a debug build without it would only warn on every file.
if(NOT CMAKE_CXX_FLAGS MATCHES "_FORTIFY_SOURCE")
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()
add_link_options(-Wl,-z,relro -Wl,-z,now -Wl,--as-needed)
