#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Quick when everything is already there.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-gtk-platformtheme
  libgtest-dev libcli11-dev libfann-dev libmpfr-dev
  clang libclang-rt-14-dev clang-format
  locales dbus dbus-x11 qdbus-qt6 xvfb xauth fonts-dejavu-core
  qt6-translations-l10n
  # Checking the installed tree and building the Debian package.
  desktop-file-utils appstream shared-mime-info libxml2-utils groff-base file dpkg-dev lintian
  # The import memory check (scripts/import-memory.sh).
  time
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests read numbers under a comma-decimal locale.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
