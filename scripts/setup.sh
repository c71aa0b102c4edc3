# Shared set-up for ./run, ./test and ./bench: sourced, not run.
# Installs what is missing, prepares the build dependencies and builds what is stale.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
DEPS="$BUILD/deps"
WINEPREFIX_DIR="$BUILD/wineprefix"
JPEG_VERSION_GLOB="libjpeg-turbo-2.*"

PACKAGES=(
  cmake ninja-build nasm dpkg-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine64 xvfb xauth x11-utils xdotool imagemagick
  locales googletest
)

say() { printf '==> %s\n' "$*" >&2; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }

is_root() { [ "$(id -u)" = 0 ]; }

missing_packages() {
  local p
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || printf '%s\n' "$p"
  done
}

apt_updated=0
apt_update() {
  [ "$apt_updated" = 1 ] && return 0
  say "Refreshing the package lists (apt-get update)"
  apt-get update -q >"$BUILD/apt-update.log" 2>&1 || { cat "$BUILD/apt-update.log" >&2; die "apt-get update failed"; }
  apt_updated=1
}

ensure_packages() {
  local missing
  missing=$(missing_packages "$@" | tr '\n' ' ')
  [ -z "${missing// }" ] && return 0
  if ! is_root; then
    printf 'These Debian packages are missing. Install them as root, then run this again:\n' >&2
    printf '  sudo apt-get install -y --no-install-recommends %s\n' "$missing" >&2
    exit 1
  fi
  apt_update
  say "Installing packages (a few minutes the first time): $missing"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing \
    >"$BUILD/apt-install.log" 2>&1 || { tail -30 "$BUILD/apt-install.log" >&2; die "apt-get install failed (log: $BUILD/apt-install.log)"; }
}

ensure_space() {
  local avail
  avail=$(df -Pk "$ROOT" | awk 'NR==2 {print $4}')
  # The two builds, libjpeg-turbo twice and the Wine prefix need about 1.5 GB.
  [ "${avail:-0}" -ge 2000000 ] || die "less than 2 GB free under $ROOT ($((avail / 1024)) MB): free some space and run again"
}

ensure_locale() {
  locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$' && return 0
  if ! is_root; then
    printf 'The zh_CN.UTF-8 locale is missing. As root:\n' >&2
    printf "  sudo sed -i 's/^# *\\(zh_CN.UTF-8 UTF-8\\)/\\1/' /etc/locale.gen && sudo locale-gen\n" >&2
    exit 1
  fi
  say "Generating the zh_CN.UTF-8 locale"
  grep -q '^ *zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
    { sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen; grep -q '^ *zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen; }
  locale-gen >/dev/null || die "locale-gen failed"
}

have_deb_src() {
  grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/
}

find_jpeg_source() {
  local d
  for d in "$DEPS"/$JPEG_VERSION_GLOB; do
    [ -f "$d/CMakeLists.txt" ] && { printf '%s\n' "$d"; return 0; }
  done
  return 0
}

ensure_jpeg_source() {
  # libjpeg-turbo comes from Debian's source package; it is unpacked under build/ once.
  local dir
  dir=$(find_jpeg_source)
  if [ -n "$dir" ] && [ -f "$dir/CMakeLists.txt" ]; then JPEG_SOURCE_DIR=$dir; return 0; fi
  if ! have_deb_src; then
    is_root || die "no deb-src entry in /etc/apt: as root, add one for Debian's main component (see README), then run again"
    say "Adding a deb-src entry for Debian's source packages"
    local suite
    suite=$(. /etc/os-release; echo "${VERSION_CODENAME:-bookworm}")
    cat >/etc/apt/sources.list.d/tovrin-deb-src.sources <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    apt_updated=0
  fi
  mkdir -p "$DEPS"
  say "Fetching libjpeg-turbo's Debian source package"
  if ! (cd "$DEPS" && apt-get source -q libjpeg-turbo >"$DEPS/apt-source.log" 2>&1); then
    is_root || { cat "$DEPS/apt-source.log" >&2; die "apt-get source libjpeg-turbo failed"; }
    apt_update
    (cd "$DEPS" && apt-get source -q libjpeg-turbo >"$DEPS/apt-source.log" 2>&1) ||
      { cat "$DEPS/apt-source.log" >&2; die "apt-get source libjpeg-turbo failed"; }
  fi
  dir=$(find_jpeg_source)
  [ -n "$dir" ] || die "libjpeg-turbo source not found under $DEPS"
  JPEG_SOURCE_DIR=$dir
}

prepare() {
  mkdir -p "$BUILD"
  ensure_space
  ensure_packages "$@"
  ensure_locale
  ensure_jpeg_source
}

build_preset() {
  local preset=$1
  if [ ! -f "$BUILD/$preset/build.ninja" ]; then
    say "Configuring $preset"
    cmake --preset "$preset" -DJPEG_SOURCE_DIR="$JPEG_SOURCE_DIR" >"$BUILD/configure-$preset.log" 2>&1 ||
      { tail -40 "$BUILD/configure-$preset.log" >&2; die "configuring $preset failed"; }
  fi
  say "Building $preset (the first build also compiles libjpeg-turbo and GoogleTest)"
  cmake --build --preset "$preset" >"$BUILD/build-$preset.log" 2>&1 ||
    { grep -E 'error|Error|FAILED' "$BUILD/build-$preset.log" | head -40 >&2; die "building $preset failed (log: $BUILD/build-$preset.log)"; }
}

ensure_wineprefix() {
  if [ ! -f "$WINEPREFIX_DIR/system.reg" ]; then
    say "Creating the Wine prefix under build/ (about half a minute, once)"
  fi
  "$BUILD/win64/wine-run" --init || die "creating the Wine prefix failed"
}

XVFB_PID=
start_xvfb() {
  command -v Xvfb >/dev/null || die "Xvfb is not installed (package xvfb)"
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$BUILD/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null; XVFB_PID=
  done
  cat "$BUILD/xvfb.log" >&2
  die "could not start Xvfb"
}

stop_xvfb() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}
