#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Quiet and quick
# when everything is present; runs 'apt-get update' only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine wine64 fonts-wine xvfb xdotool imagemagick fonts-ipafont-gothic locales python3
  googletest libgtest-dev libbenchmark-dev zlib1g-dev libz-mingw-w64-dev
  libstb-dev nlohmann-json3-dev libassimp-dev libtinygltf-dev libtinyobjloader-dev
  zip unzip llvm lintian dpkg-dev pkg-config nsis p7zip-full
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

# Wine's ANSI code page follows the locale: the editor is a code page 932 program.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  if [ -f /etc/locale.gen ]; then
    "${sudo_cmd[@]}" sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen >/dev/null
  else
    "${sudo_cmd[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
  fi
fi

# The Khronos glTF validator (a JavaScript library) checks mvltool's glTF
# output. Node itself comes from Debian when the machine has none; the
# validator goes into tools/gltf_validator (not committed).
validator_version=2.0.0-dev.3.10
validator_dir="$(cd "$(dirname "$0")/.." && pwd)/tools/gltf_validator"
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  echo "setup: installing nodejs npm"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    nodejs npm >/dev/null
fi
if ! grep -qs "\"version\": \"$validator_version\"" "$validator_dir/node_modules/gltf-validator/package.json"; then
  echo "setup: installing gltf-validator $validator_version"
  mkdir -p "$validator_dir"
  npm install --prefix "$validator_dir" --no-audit --no-fund --no-save --silent \
    "gltf-validator@$validator_version" >/dev/null ||
    echo "setup: gltf-validator could not be installed; mvltool_gltf_validate will fail" >&2
fi
