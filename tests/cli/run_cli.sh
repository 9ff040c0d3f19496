#!/bin/sh
# Runs the command-line host on a fresh copy of the install folder, so a
# test never changes the build's own databases.
# usage: run_cli.sh PLENDRIX DATA_DIR ARGS...  (DATA_DIR holds config/)
set -e
plendrix=$1 image=$2
shift 2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp -r "$image"/config "$dir"/
mkdir -p "$dir"/img "$dir"/temp "$dir"/tuku
if [ -d "$image"/img/pic ]; then cp -r "$image"/img/pic "$dir"/img/; fi
cp -r "$image"/TK_plendrix "$dir"/
"$plendrix" --install "$dir" "$@"
