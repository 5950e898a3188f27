#!/usr/bin/env bash
# Installs what the build needs on a Debian 12 machine: the Debian packages and
# the pugixml sources (built into the library in wide-character mode).
# Safe to run again: it only installs what is missing.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
packages=(cmake g++ make pkg-config dpkg-dev libspdlog-dev libfmt-dev libgtest-dev
          libcairo2-dev libpango1.0-dev libpng-dev fonts-dejavu-core
          clang libclang-rt-14-dev liblsan0 libbenchmark-dev)

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_if_needed apt-get update -qq
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# pugixml: Debian's binary package is built with narrow characters and ships no
# sources, so take them from the source package through a private apt state that
# leaves the system's own apt configuration untouched.
pugi_dir="$root/third_party/pugixml"
if [ ! -f "$pugi_dir/src/pugixml.cpp" ]; then
  state=$(mktemp -d)
  trap 'rm -rf "$state"' EXIT
  mkdir -p "$state/lists/partial" "$state/work"
  # The source entries mirror the system's own binary entries.
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f"
  done > "$state/deb-src.sources"
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > "$state/sources.list"
  else
    : > "$state/sources.list"
  fi
  mkdir -p "$state/parts" && mv "$state/deb-src.sources" "$state/parts/"
  apt_opts=(-o "Dir::Etc::SourceList=$state/sources.list" -o "Dir::Etc::SourceParts=$state/parts"
            -o "Dir::State::Lists=$state/lists" -o "APT::Sandbox::User=root")
  apt-get "${apt_opts[@]}" update -qq
  (cd "$state/work" && apt-get "${apt_opts[@]}" source --download-only -qq pugixml)
  (cd "$state/work" && dpkg-source -x --no-check ./*.dsc unpacked >/dev/null)
  mkdir -p "$pugi_dir"
  cp -r "$state/work/unpacked/src" "$pugi_dir/"
  cp "$state/work/unpacked/LICENSE.md" "$pugi_dir/" 2>/dev/null || true
fi
