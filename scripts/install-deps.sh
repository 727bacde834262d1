#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Besides the native build: the MinGW-w64 cross compilers for the 32-bit Windows DLL, wine (with
# its 32-bit part, hence the i386 architecture) to run what they build, and npm when no npm
# command is there (it fetches the SQLite sources the Windows stand-in repository is built from).
set -euo pipefail
packages=(cmake g++ bison re2c m4 libsqlite3-dev libgtest-dev libbenchmark-dev
          libcli11-dev nlohmann-json3-dev python3 binutils ninja-build
          clang-14 libclang-rt-14-dev valgrind)
windows_packages=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686 wine wine32:i386)
command -v npm >/dev/null || windows_packages+=(npm)
missing_from() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}
mapfile -t missing < <(missing_from "${packages[@]}")
mapfile -t windows_missing < <(missing_from "${windows_packages[@]}")
if [ $((${#missing[@]} + ${#windows_missing[@]})) -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]} ${windows_missing[*]} (run as root to install them)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update
  [ ${#missing[@]} -eq 0 ] || apt-get install -y "${missing[@]}"
  # What wine merely recommends (fonts, media, desktop parts) is not needed to run tests.
  [ ${#windows_missing[@]} -eq 0 ] ||
    apt-get install -y --no-install-recommends "${windows_missing[@]}"
fi
