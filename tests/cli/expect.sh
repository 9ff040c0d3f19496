#!/bin/bash
# Runs the command-line host once on a fresh copy of the install folder and
# checks its exit status and its output (standard output and error
# together) against an extended regular expression.
# usage: expect.sh STATUS REGEX PLENDRIX DATA_DIR [--script TEXT] [--setup CMD] ARGS...
#   --script TEXT  writes TEXT (printf %b escapes: \n, \t, \xHH) to {dir}/script.txt
#   --setup CMD    runs CMD in the install folder first
# In ARGS, {dir} stands for the install folder.
status=$1 pattern=$2 plendrix=$3 image=$4
shift 4
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp -r "$image"/config "$dir"/
mkdir -p "$dir"/img "$dir"/temp "$dir"/TK_plendrix "$dir"/tuku
while [ $# -gt 0 ]; do
  case $1 in
    --script) printf '%b' "$2" > "$dir"/script.txt; shift 2 ;;
    --setup) (cd "$dir" && eval "$2") || exit 99; shift 2 ;;
    *) break ;;
  esac
done
args=()
for a in "$@"; do args+=("${a//\{dir\}/$dir}"); done
output=$("$plendrix" --install "$dir" "${args[@]}" 2>&1)
got=$?
printf '%s\n' "$output"
if [ "$got" != "$status" ]; then
  echo "expect.sh: exit status $got, expected $status" >&2
  exit 1
fi
if ! printf '%s\n' "$output" | grep -Eq -- "$pattern"; then
  echo "expect.sh: output does not match: $pattern" >&2
  exit 1
fi
