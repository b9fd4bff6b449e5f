#!/usr/bin/env bash
# Builds the Debian package zarn_<version>_amd64.deb (Release, -Werror, with
# Debian's hardening build flags) in build-release/.
# Usage: scripts/package.sh [--check]
#   --check  also unpacks it into a throw-away root, checks its contents and
#            runs lintian, which must report no error and no warning.
set -euo pipefail
cd "$(dirname "$0")/.."

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# Debian's flags, with every hardening feature (bindnow, fortify, ...).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DZARN_BUILD_UI=ON -DZARN_SANITIZE=OFF -DZARN_WERROR=ON -DZARN_BUILD_BENCH=OFF "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
# Only what the package holds; the tests run on the regular build.
cmake --build build-release -j "$(nproc)" --target zarn zarn-cli
(cd build-release && cpack -G DEB >/dev/null)

version=$(sed -n 's/^project(zarn VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=build-release/zarn_${version}_amd64.deb
[[ -f $deb ]] || { echo "package.sh: $deb was not built" >&2; exit 1; }
echo "package.sh: built $deb"
[[ ${1:-} == --check ]] || exit 0

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
[[ $(dpkg-deb --field "$deb" Package) == zarn ]] || { echo "package.sh: not a zarn package" >&2; exit 1; }
depends=$(dpkg-deb --field "$deb" Depends)
for library in libqt6widgets6 libqt6dbus6 libstdc++6; do
  [[ $depends == *"$library"* ]] || { echo "package.sh: Depends lacks $library: $depends" >&2; exit 1; }
done
[[ $(dpkg-deb --field "$deb" Recommends) == *qt6-translations-l10n* ]] \
  || { echo "package.sh: qt6-translations-l10n is not recommended" >&2; exit 1; }
dpkg -x "$deb" "$root"
bash scripts/check-install.sh "$root/usr" /usr

# Every tag lintian reports is shown; an error or a warning fails the check
# (overridden tags only with a reason, in cmake/debian/lintian-overrides).
lintian --fail-on error,warning --tag-display-limit 0 "$deb"
echo "package.sh: lintian reports no errors or warnings"
