#!/usr/bin/env bash
# Installs the Debian packages that building, testing, benchmarking and
# rendering (--render, the LibreOffice tests) need. The one list of them:
# .ci/run and the README's first command call this script.
#
# Run as root (or with sudo). Run without root, it only checks, and when
# something is missing it prints the command to run instead of failing
# half-way through a build.
set -euo pipefail

packages=(
  # the build
  cmake ninja-build g++ pkg-config ccache
  # libraries of the add-in
  libsqlite3-dev libpcre2-dev libpugixml-dev libssl-dev libzip-dev
  # the installed fonts offered by the settings dialog
  libfontconfig-dev
  # the question bank's workbook (tkconfig.xls), read by the settings dialog
  libgsf-1-dev
  # the command-line host and the JSON dump
  libcli11-dev nlohmann-json3-dev
  # the picture renderer: cairo with pango for text, libjpeg for JPEG export
  libcairo2-dev libpango1.0-dev libjpeg-dev
  # EMF and WMF pictures written record by record from the renderer's scene
  libuemf-dev
  # button images drawn at build time, and the layout's line heights from the fonts
  libfreetype-dev fontconfig fonts-dejavu-core fonts-noto-cjk
  # tests and benchmarks (muParser is the benchmarks' reference evaluator)
  libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev
  # fuzz targets (clang's libFuzzer)
  clang libclang-rt-14-dev
  # LibreOffice for --render and the tests that open saved documents in a
  # real word processor; its formula module typesets the stored equations,
  # Impress shows the slides a send builds, Calc edits the bank's workbook
  # (and runs tools/make-tkconfig.py). The packages with windows, since the
  # add-in's dialogs and toolbar live in them; they still convert headless.
  libreoffice-core libreoffice-writer libreoffice-math libreoffice-impress
  libreoffice-draw libreoffice-calc libepoxy0 poppler-utils
  # LibreOffice as the add-in's host: the SDK (UNO headers, cppumaker) for the
  # adapter and plendrix.oxt, Python's UNO bridge for driving the office in
  # tests, and a virtual display with a clicker for its windows
  libreoffice-dev python3 python3-uno xvfb xdotool
)

# The window-less variants conflict with the packages above: apt replaces
# them in the same command, told to remove them by a trailing minus.
replaced=(
  libreoffice-core-nogui libreoffice-writer-nogui libreoffice-math-nogui
  libreoffice-impress-nogui libreoffice-draw-nogui libreoffice-calc-nogui
)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q '^install ok installed$'
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
removals=()
for p in "${replaced[@]}"; do
  installed "$p" && removals+=("$p-")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "缺少以下软件包：${missing[*]}" >&2
  echo "请先运行：sudo $0" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" ${removals[@]+"${removals[@]}"} > /dev/null
