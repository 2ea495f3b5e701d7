#!/usr/bin/env bash
# kvhost --window without a display: no_display.sh KVHOST REPOSITORY
# It must refuse at once with status 2 and a message naming the missing display, and write
# nothing (no profile is printed).
set -euo pipefail
kvhost=$1
repo=$2
status=0
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$kvhost" --window \
  "$repo/examples/profiles/circuit.json" 2>&1) || status=$?
if [ "$status" -ne 2 ]; then
  echo "no_display: kvhost exited with status $status, expected 2" >&2
  echo "$output" >&2
  exit 1
fi
grep -q "^kvhost: cannot open the display: no X11 or Wayland display" <<<"$output" || {
  echo "no_display: the message does not name the missing display:" >&2
  echo "$output" >&2
  exit 1
}
if grep -q '"general"' <<<"$output"; then
  echo "no_display: a profile was printed" >&2
  exit 1
fi
echo "no_display: passed"
