#!/usr/bin/env bash
# Builds the Debian package in build-deb/ with Debian's hardening flags and
# checks it with lintian:  scripts/package.sh  →  build-deb/selvara_VERSION_ARCH.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DSELVARA_BUILD_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build-deb -j2
rm -f build-deb/selvara_*.deb
(cd build-deb && cpack -G DEB)
deb=$(ls build-deb/selvara_*.deb)
# Errors and warnings fail the build; informational notes do not.
lintian --fail-on error,warning "$deb"
echo "$deb"
