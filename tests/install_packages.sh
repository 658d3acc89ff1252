#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages that building and testing need and that are
# not there yet.
set -euo pipefail
packages=(cmake make g++ libgtest-dev libbenchmark-dev libtinyxml2-dev gnuplot-nox)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" > /dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
