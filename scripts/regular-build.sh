# Sourced by run.sh, test.sh and package.sh: configures build/, the one build
# the program runs from, the tests run on and the Debian package is made from
# (so the package's objects are the tested ones). RelWithDebInfo with Debian's
# build flags and every hardening feature (bindnow, fortify, ...), -Werror;
# cpack strips the programs it packs, so line tables (-g1: file and line in
# backtraces and debuggers) are all the debug information it keeps time for.
# Usage: configure_regular_build [more cmake arguments]
configure_regular_build() {
  local cxxflags ldflags
  cxxflags="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CPPFLAGS)"
  cxxflags+=" $(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS)"
  ldflags=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get LDFLAGS)
  # The desktop program is switched on explicitly, so a build folder
  # configured without it earlier cannot silently leave it out.
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARN_BUILD_UI=ON -DZARN_SANITIZE=OFF \
    -DZARN_WERROR=ON -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" "$@"
}
