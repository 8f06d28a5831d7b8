#!/usr/bin/env bash
# Installs the Debian packages Temura builds, runs and tests with.
# This is the only list of packages; it is safe to run again.
#   scripts/install-deps.sh            build, run and test on Linux
#   scripts/install-deps.sh --windows  also cross-build for Windows and test under Wine
#   scripts/install-deps.sh --fuzz     also build the fuzz targets (make fuzz)
#   scripts/install-deps.sh --package  also build and check the .deb (make deb, check-deb.sh)
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6
  qt6-translations-l10n
  libpulse-dev pulseaudio
  libgl-dev
  libgtest-dev libgmock-dev
  xvfb xauth
  openbox x11-utils
  fonts-dejavu-core fonts-liberation
  desktop-file-utils shared-mime-info
  python3
)

# make test-windows: mingw-w64 in the posix thread model (GCC 12 has std::thread and std::mutex only
# there), 64-bit Wine to run the tests, GoogleTest's source to build with the cross compiler, and
# NSIS for the installer (make windows-package).
windows_packages=(
  g++-mingw-w64-x86-64-posix
  wine wine64
  googletest
  nsis
)

# make fuzz: clang, and libFuzzer, which Debian 12 ships in clang's runtime package.
fuzz_packages=(
  clang
  libclang-rt-14-dev
)

# make deb: dpkg-shlibdeps (dpkg-dev) and file(1) for CPack's dependency list; appstreamcli and
# xdg-mime (which reads the MIME database through File::MimeInfo's mimetype on a desktop it does
# not know) for scripts/check-deb.sh; rsvg-convert for scripts/make-icons.sh; xdotool to press F1.
package_packages=(
  dpkg-dev file
  appstream
  xdg-utils libfile-mimeinfo-perl
  librsvg2-bin
  xdotool
)

for arg in "$@"; do
  case "$arg" in
    --windows) packages+=("${windows_packages[@]}") ;;
    --fuzz) packages+=("${fuzz_packages[@]}") ;;
    --package) packages+=("${package_packages[@]}") ;;
    *) echo "install-deps.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
