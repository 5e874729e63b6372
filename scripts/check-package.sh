#!/usr/bin/env bash
# Builds the Debian package from a built release folder, checks it with lintian,
# installs it, runs the installed yobina-cli on the reference job and removes it.
# Usage: scripts/check-package.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
apt=(env DEBIAN_FRONTEND=noninteractive $sudo apt-get -y -qq -o DPkg::Lock::Timeout=300)

log="$build/package-check.log"
quiet() { "$@" >>"$log" 2>&1 || { cat "$log"; return 1; }; }
: >"$log"

quiet cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build"
deb=$(ls "$build"/yobina_*_*.deb)
echo "-- $(basename "$deb")"
lintian --fail-on error "$deb" 2>/dev/null

if dpkg-query -W -f='${Status}' yobina 2>/dev/null | grep -q "install ok installed"; then
  echo "-- yobina is installed on this machine already: not installing over it"
  exit 0
fi
quiet "${apt[@]}" install "./$deb"
trap 'quiet "${apt[@]}" purge yobina' EXIT
/usr/bin/yobina-cli examples/reference.qzl | cmp - tests/cli/expected/reference.txt
echo "-- installed yobina-cli wrote the reference report"
