# Shared by scripts/run and scripts/test: installs what is missing from
# Debian's packages, then configures and builds the project.
set -euo pipefail

TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${TARNWICK_BUILD_DIR:-$TOP/build}

PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev
  python3 python3-dbfread python3-dbf
  fonts-dejavu-core fonts-liberation2 poppler-utils
  locales-all
  libcurl4-openssl-dev python3-aiosmtpd openssl
  libarchive-dev zlib1g-dev
)

install_missing_packages() {
  local missing=()
  local p
  for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}


configure_and_build() {
  cmake -S "$TOP" -B "$BUILD_DIR" -G Ninja "$@"
  cmake --build "$BUILD_DIR"
}
