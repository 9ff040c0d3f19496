#!/bin/sh
# Listing a dialog's controls opens it and closes it again without saving
# its inputs: the configuration database stays byte-identical.
# usage: looking_leaves_database.sh PLENDRIX DATA_DIR
set -e
plendrix=$1 image=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp -r "$image"/config "$dir"/
# The first run of the day writes the date; after it only looking is left.
"$plendrix" --install "$dir" connect > /dev/null
before=$(md5sum < "$dir"/config/config.mdb)
for form in frmDot frmXDT frmGraph; do
  "$plendrix" --install "$dir" controls $form > /dev/null
done
after=$(md5sum < "$dir"/config/config.mdb)
if [ "$before" != "$after" ]; then
  echo "controls changed config.mdb" >&2
  exit 1
fi
