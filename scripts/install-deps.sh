#!/usr/bin/env bash
# Installs what building, testing and running yobina needs on Debian 12.
# Idempotent and quiet: does nothing when every package is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6
  libgtest-dev libgmock-dev libbenchmark-dev
  coinor-libclp-dev coinor-libcbc-dev
  nlohmann-json3-dev libcsv-dev lintian
  libsqlite3-dev sqlite3
  libqrencode-dev zbar-tools
  clang libclang-rt-14-dev clang-format-14
  fonts-ipafont-mincho fonts-ipafont-gothic
  qt6-translations-l10n
  xvfb xauth xdotool imagemagick poppler-utils locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A locale with a decimal comma, so the tests can show that numbers never follow the locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  $sudo locale-gen >/dev/null
fi
