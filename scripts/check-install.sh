#!/usr/bin/env bash
# Checks an installed tree: every file the install puts there and nothing
# else, the desktop entry, AppStream data, MIME type and manual pages through
# their own tools, the documentation, the D-Bus activation file, and that both
# programs start.
# Usage: scripts/check-install.sh PREFIX [EXEC_PREFIX]
#   PREFIX       where the files are (e.g. a temporary prefix, or ROOT/usr)
#   EXEC_PREFIX  the prefix the programs were configured for (default PREFIX),
#                as named in the D-Bus activation file
set -euo pipefail

prefix=$1
configured=${2:-$1}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(zarn VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
failures=0
fail() { echo "check-install: $*" >&2; failures=$((failures + 1)); }

expected=(
  bin/zarn
  bin/zarn-cli
  share/applications/org.zarn.Zarn.desktop
  share/metainfo/org.zarn.Zarn.metainfo.xml
  share/mime/packages/zarn.xml
  share/dbus-1/services/Zarn.Application.service
  share/man/man1/zarn.1.gz
  share/man/man1/zarn-cli.1.gz
  share/icons/hicolor/scalable/apps/zarn.svg
  share/doc/zarn/copyright
  share/doc/zarn/changelog.gz
  share/doc/zarn/README.md
  share/lintian/overrides/zarn
)
for example in "$source_dir"/examples/*; do
  expected+=("share/doc/zarn/examples/$(basename "$example")")
done
for size in 16 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/zarn.png")
done

# Exactly the expected files.
diff <(printf '%s\n' "${expected[@]}" | sort) \
     <(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort) \
  || fail "installed files differ from the list above (< missing, > unexpected)"

for program in zarn zarn-cli; do
  file -b "$prefix/bin/$program" | grep -q '^ELF 64-bit.*executable' \
    || fail "$program is not an executable: $(file -b "$prefix/bin/$program")"
done
for size in 16 24 32 48 64 128 256; do
  file -b "$prefix/share/icons/hicolor/${size}x${size}/apps/zarn.png" \
    | grep -q "^PNG image data, $size x $size," || fail "icon ${size}x${size} has another size"
done

desktop-file-validate "$prefix/share/applications/org.zarn.Zarn.desktop" || fail "desktop entry"
grep -qx 'Exec=zarn %f' "$prefix/share/applications/org.zarn.Zarn.desktop" || fail "desktop Exec"
grep -qx 'MimeType=application/x-zarn-task;' "$prefix/share/applications/org.zarn.Zarn.desktop" \
  || fail "desktop MimeType"
appstreamcli validate --no-net "$prefix/share/metainfo/org.zarn.Zarn.metainfo.xml" >/dev/null \
  || fail "metainfo: $(appstreamcli validate --no-net "$prefix/share/metainfo/org.zarn.Zarn.metainfo.xml")"

# The MIME database built from our package file alone knows *.task.
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
mime=$data/mime
mkdir -p "$mime/packages"
cp "$prefix/share/mime/packages/zarn.xml" "$mime/packages/"
xmllint --noout "$mime/packages/zarn.xml" || fail "MIME XML is not well-formed"
errors=$(XDG_DATA_DIRS=$data update-mime-database "$mime" 2>&1 >/dev/null) \
  || fail "update-mime-database failed"
[[ -z $errors ]] || fail "update-mime-database: $errors"
grep -q '^50:application/x-zarn-task:\*\.task$' "$mime/globs2" || fail "no *.task glob in the MIME database"

for page in zarn zarn-cli; do
  gz=$prefix/share/man/man1/$page.1.gz
  warnings=$(zcat "$gz" | LC_ALL=C.UTF-8 groff -man -ww -z -K utf8 -Tutf8 2>&1)
  [[ -z $warnings ]] || fail "$page.1: $warnings"
  zgrep -q "Zarn $version" "$gz" || fail "$page.1 names no version"
done

# The documentation: the licence in the machine-readable copyright file, the
# changelog naming this version.
doc=$prefix/share/doc/zarn
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$doc/copyright" || fail "copyright file is not machine-readable"
grep -q '^ Permission is hereby granted' "$doc/copyright" || fail "copyright file lacks the licence"
zcat "$doc/changelog.gz" | head -1 | grep -q "^zarn ($version)" || fail "changelog names another version"

grep -qx "Exec=$configured/bin/zarn -Automation" "$prefix/share/dbus-1/services/Zarn.Application.service" \
  || fail "D-Bus activation file: $(cat "$prefix/share/dbus-1/services/Zarn.Application.service")"
grep -qx 'Name=Zarn.Application' "$prefix/share/dbus-1/services/Zarn.Application.service" \
  || fail "D-Bus activation file names another service"

# Both programs start from the installed tree (no display needed for --version).
[[ $("$prefix/bin/zarn-cli" --version) == "zarn-cli $version" ]] || fail "zarn-cli --version"
[[ $(QT_QPA_PLATFORM=offscreen "$prefix/bin/zarn" --version) == "zarn $version" ]] || fail "zarn --version"

if ((failures)); then
  echo "check-install: $failures problem(s) in $prefix" >&2
  exit 1
fi
echo "check-install: ${#expected[@]} files in $prefix checked"
