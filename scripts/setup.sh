#!/usr/bin/env bash
# Installs every Debian package that building, testing and running the demo need.
# Idempotent and non-interactive; this is the one place that lists packages.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  # test and benchmark libraries
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # HTTP client, and the in-process server used by tests and the platform stand-in
  libcurl4-openssl-dev libcpp-httplib-dev libssl-dev ca-certificates curl
  # windows, painting and the browser engine
  libgtk-3-dev libwebkit2gtk-4.1-dev
  # the face the skin asks for falls back to this one
  fonts-wqy-microhei
  # a display, input and screenshots for the end-to-end tests and the demo; a private network
  # namespace per end-to-end test
  xvfb xdotool x11-utils imagemagick iproute2 util-linux
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages (${missing[*]}); run this script as root" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
