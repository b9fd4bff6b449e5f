#!/usr/bin/env bash
# Builds the Debian package zarn_<version>_amd64.deb into build-release/ from
# the regular build in build/ (see scripts/regular-build.sh: Debian's
# hardening build flags, -Werror), the same objects the tests run on.
# Usage: scripts/package.sh [--check]
#   --check  also unpacks it into a throw-away root, checks its contents and
#            runs lintian, which must report no error and no warning.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/regular-build.sh

# The package holds both programs.
configure_regular_build -DZARN_BUILD_CLI=ON
# Only what the package holds; the tests run on the same build.
cmake --build build -j "$(nproc)" --target zarn zarn-cli
# The package installs into /usr whatever prefix `cmake --install` uses, and
# its programs are stripped (CPACK_STRIP_FILES).
cpack --config build/CPackConfig.cmake -G DEB -B "$PWD/build-release" >/dev/null

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
