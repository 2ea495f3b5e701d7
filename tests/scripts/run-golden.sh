#!/usr/bin/env bash
# Runs one golden script through kvhost and compares what it printed with what it should print:
#   run-golden.sh KVHOST LIBRARY SCRIPT REPOSITORY KVPNGDIFF
#
# The script's header comments set up the run:
#   # profile: PATH   the profile (relative to the repository); default examples/profiles/circuit.json
#   # exit: N         the exit status kvhost must end with; default 0
#   # out: NAME       pass --out NAME (in the fresh current folder), which holds a marker text
#                     before the run: with exit status 2 it must still hold it (nothing written),
#                     otherwise it must have been replaced
#   # help-file: yes  put a help file beside the library, so that Help can open its topics
#
# The example installation is drive C: and the example projects (a fresh copy, so that a
# script may change files) are drive D:; HOME and the current folder are fresh folders; the
# library is a fresh copy in a folder of its own (the help file, if any, goes beside it). A
# "snapshot NAME.png" line must leave a PNG there that equals, pixel by pixel, the reference
# images/SCRIPT-NAME.png beside the script (KVPNGDIFF compares them; a difference keeps the
# actual and difference pictures in a fresh temporary folder and names it).
#
# kvhost's standard output must equal SCRIPT's ".out" and its standard error SCRIPT's ".err"
# (empty when there is no ".err"), byte for byte, once the run's folders are written as
# @WORK@ and the repository as @REPO@. A difference is printed as a diff. With
# KV_GOLDEN_REGEN=1 in the environment the expected files are rewritten from the run instead
# (tests/scripts/regen does that for every script); review the diff before committing them.
# KV_GOLDEN_REGEN=1 or KV_UPDATE_GOLDEN=1 (scripts/update-golden) rewrites the snapshot
# references too.
set -euo pipefail
kvhost=$1
library=$2
script=$3
repo=$4
pngdiff=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

header() {
  sed -n "s/^# $1: *//p" "$script" | head -n 1
}
profile=$(header profile)
profile=${profile:-examples/profiles/circuit.json}
expected_status=$(header exit)
expected_status=${expected_status:-0}
out_name=$(header out)
help_file=$(header help-file)

cp -r "$repo/examples/drive" "$work/drive"
mkdir -p "$work/home" "$work/cwd" "$work/lib"
cp "$library" "$work/lib/"
if [ "$help_file" = yes ]; then
  : >"$work/lib/ventra.chm"
fi
marker="run-golden: not written by kvhost"
args=(--drives "C:=$repo/examples/install;D:=$work/drive" --registry
      "$repo/examples/install/ventra.reg" --root 'C:\' --library "$work/lib/$(basename "$library")"
      --script "$script")
if [ -n "$out_name" ]; then
  echo "$marker" >"$work/cwd/$out_name"
  args+=(--out "$out_name")
fi

cd "$work/cwd"
status=0
HOME="$work/home" "$kvhost" "${args[@]}" "$repo/$profile" >"$work/stdout" 2>"$work/stderr" ||
  status=$?

# The run's own folders and the repository differ from run to run and machine to machine.
normalise() {
  local text
  text=$(cat "$1"; echo x)
  text=${text%x}
  text=${text//"$work"/@WORK@}
  text=${text//"$repo"/@REPO@}
  printf '%s' "$text" >"$1"
}
normalise "$work/stdout"
normalise "$work/stderr"
cat "$work/stdout"
cat "$work/stderr" >&2

golden_out="${script%.kvs}.out"
golden_err="${script%.kvs}.err"
if [ "${KV_GOLDEN_REGEN:-0}" = 1 ]; then
  cp "$work/stdout" "$golden_out"
  if [ -s "$work/stderr" ]; then
    cp "$work/stderr" "$golden_err"
  else
    rm -f "$golden_err"
  fi
  echo "run-golden: rewrote $(basename "$golden_out")" >&2
fi

failed=0
if [ "$status" -ne "$expected_status" ]; then
  echo "run-golden: kvhost exited with status $status, expected $expected_status" >&2
  failed=1
fi
if [ -n "$out_name" ]; then
  if [ "$status" -eq 2 ]; then
    if [ "$(cat "$work/cwd/$out_name")" != "$marker" ]; then
      echo "run-golden: kvhost refused the run (status 2) but changed $out_name" >&2
      failed=1
    fi
  elif [ "$(cat "$work/cwd/$out_name")" = "$marker" ]; then
    echo "run-golden: kvhost did not write $out_name" >&2
    failed=1
  fi
fi
images="$(dirname "$script")/images"
for png in $(sed -n 's/^snapshot  *\([^ ]*\.png\)$/\1/p' "$script"); do
  if [ "$(head -c 8 "$png" 2>/dev/null | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
    echo "run-golden: the snapshot $png is missing or not a PNG" >&2
    failed=1
    continue
  fi
  reference="$images/$(basename "${script%.kvs}")-$(basename "$png")"
  if [ "${KV_GOLDEN_REGEN:-0}" = 1 ] || [ "${KV_UPDATE_GOLDEN:-0}" = 1 ]; then
    mkdir -p "$images"
    cp "$png" "$reference"
    echo "run-golden: rewrote images/$(basename "$reference")" >&2
  elif ! "$pngdiff" "$reference" "$png" "$work/difference.png"; then
    kept=$(mktemp -d /tmp/kv-golden-XXXXXX)
    cp "$png" "$kept/actual.png"
    cp "$work/difference.png" "$kept/difference.png" 2>/dev/null || true
    echo "run-golden: the snapshot $png differs from images/$(basename "$reference");" \
      "pictures in $kept" >&2
    failed=1
  fi
done
if [ ! -f "$golden_out" ]; then
  echo "run-golden: $golden_out is missing (KV_GOLDEN_REGEN=1 writes it)" >&2
  failed=1
elif ! diff -u --label "expected $(basename "$golden_out")" --label "standard output" \
  "$golden_out" "$work/stdout"; then
  echo "run-golden: the standard output differs from $(basename "$golden_out")" >&2
  failed=1
fi
expected_err=/dev/null
if [ -f "$golden_err" ]; then
  expected_err=$golden_err
fi
if ! diff -u --label "expected $(basename "$golden_err")" --label "standard error" \
  "$expected_err" "$work/stderr"; then
  echo "run-golden: the standard error differs from $(basename "$golden_err")" >&2
  failed=1
fi
exit "$failed"
