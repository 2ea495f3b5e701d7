#!/usr/bin/env bash
# Runs one golden script through kvhost: run-golden.sh KVHOST SCRIPT REPOSITORY
# The profile is the one the script's "# profile: PATH" line names (relative to the
# repository), else examples/profiles/circuit.json. The example installation is drive C: and
# the example projects (a fresh copy, so that a script may change files) are drive D:; HOME is
# a fresh folder, and the current folder is a fresh one too (a "snapshot" lands there; the run
# checks that each PNG it names was written). Fails when kvhost exits non-zero or its output
# differs from SCRIPT's ".out".
set -euo pipefail
kvhost=$1
script=$2
repo=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$repo/examples/drive" "$work/drive"
mkdir -p "$work/home"
profile=$(sed -n 's/^# profile: *//p' "$script" | head -n 1)
profile=${profile:-examples/profiles/circuit.json}
status=0
mkdir -p "$work/cwd"
cd "$work/cwd"
HOME="$work/home" "$kvhost" --drives "C:=$repo/examples/install;D:=$work/drive" \
  --registry "$repo/examples/install/ventra.reg" --root 'C:\' \
  --script "$script" "$repo/$profile" >"$work/out.txt" 2>&1 || status=$?
cat "$work/out.txt"
if [ "$status" -ne 0 ]; then
  echo "run-golden: kvhost exited with status $status" >&2
  exit 1
fi
for png in $(sed -n 's/^snapshot  *\([^ ]*\.png\)$/\1/p' "$script"); do
  if [ "$(head -c 8 "$png" 2>/dev/null | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
    echo "run-golden: the snapshot $png is missing or not a PNG" >&2
    exit 1
  fi
done
golden="${script%.kvs}.out"
if [ -f "$golden" ] && ! diff -u "$golden" "$work/out.txt"; then
  echo "run-golden: the output differs from $golden" >&2
  exit 1
fi
