#!/usr/bin/env bash
# The live window on a real display: live_window.sh KVHOST KVPNGDIFF REPOSITORY
#
# Starts its own X server (Xvfb), runs `kvhost --window` on the example circuit profile and
# works the sheet with real X input events (xdotool): clicks the Options tab, takes a
# screenshot (xwd) and compares the sheet's part of it pixel by pixel with the snapshot the
# renderer takes of the same state; then clicks the General tab, empties the profile name and
# presses Enter, answers the message box that refuses it, types a new name, presses Enter, and
# checks the profile kvhost wrote. Pictures of a failed comparison are left in a fresh
# temporary folder, named on standard error.
set -euo pipefail
kvhost=$1
pngdiff=$2
repo=$3
for tool in Xvfb xdotool xwd; do
  command -v "$tool" >/dev/null || { echo "live_window: $tool is missing (scripts/deps installs it)" >&2; exit 1; }
done
# The X libraries keep what they allocate until the process ends: not a leak of ours.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
work=$(mktemp -d)
cleanup() {
  [ -n "${kvpid:-}" ] && kill "$kvpid" 2>/dev/null || true
  [ -n "${xpid:-}" ] && kill "$xpid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
keep() {  # keeps pictures of a failure in a folder of their own
  local kept
  kept=$(mktemp -d /tmp/kv-live-XXXXXX)
  cp "$work"/*.png "$kept"/ 2>/dev/null || true
  echo "live_window: pictures kept in $kept" >&2
}

# A display of our own, its number chosen by the server and written into a pipe (opened for
# reading and writing, so that it neither blocks nor ends before the server writes).
mkfifo "$work/displayfd"
exec 3<>"$work/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xpid=$!
display=""
read -r -t 20 display <&3 || true
[ -n "$display" ] || { echo "live_window: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$display"

cp -r "$repo/examples/drive" "$work/drive"
mkdir -p "$work/home"
args=(--drives "C:=$repo/examples/install;D:=$work/drive" --registry "$repo/examples/install/ventra.reg"
      --root 'C:\')
profile="$repo/examples/profiles/circuit.json"

# The renderer's own picture of the state the person will reach: the Options tab clicked.
printf 'open modal\ntab Options\nsnapshot %s\nclick Cancel\n' "$work/expected.png" >"$work/expected.kvs"
(cd "$work" && HOME="$work/home" "$kvhost" "${args[@]}" --script "$work/expected.kvs" "$profile" \
   >"$work/expected.txt" 2>&1) || { cat "$work/expected.txt" >&2; exit 1; }

HOME="$work/home" KV_WINDOW_STATS=1 "$kvhost" "${args[@]}" --window --out "$work/out.json" "$profile" \
  >"$work/kvhost.txt" 2>&1 &
kvpid=$!

# The sheet's window on the screen, once it shows.
sheet=""
for _ in $(seq 300); do  # a loaded machine may take a while to start kvhost
  sheet=$(xdotool search --name "^Simulation Settings" 2>/dev/null | head -n 1) && [ -n "$sheet" ] && break
  sleep 0.1
done
[ -n "$sheet" ] || { echo "live_window: the sheet never showed" >&2; cat "$work/kvhost.txt" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$sheet")"  # X, Y, WIDTH, HEIGHT
sleep 1  # the window takes input once it is mapped and painted
click() { xdotool mousemove $((X + $1)) $((Y + $2)); sleep 0.1; xdotool click 1; sleep 0.3; }

# Where the controls are, in the sheet's window (the layout of the example profile's sheet).
tab_options=(248 44)
tab_general=(41 44)
profile_edit=(300 78)

# The screen shows what the renderer paints, once the click has been taken and painted.
click "${tab_options[@]}"
matched=0
for _ in $(seq 40); do
  xwd -root -silent >"$work/screen.xwd"
  "$pngdiff" --from-xwd "$work/screen.xwd" "$X" "$Y" "$WIDTH" "$HEIGHT" "$work/actual.png"
  if "$pngdiff" "$work/expected.png" "$work/actual.png" "$work/difference.png" 2>/dev/null; then
    matched=1
    break
  fi
  sleep 0.25
done
if [ "$matched" != 1 ]; then
  "$pngdiff" "$work/expected.png" "$work/actual.png" "$work/difference.png" || true
  echo "live_window: the screen differs from the renderer's snapshot" >&2
  keep
  exit 1
fi

# Waits until a window whose name matches shows (or, with "gone", until it went).
wait_window() {
  for _ in $(seq 200); do
    found=$(xdotool search --name "$1" 2>/dev/null | grep -v "^$sheet$" | head -n 1 || true)
    if [ "${2:-}" = gone ]; then [ -z "$found" ] && return 0; else [ -n "$found" ] && return 0; fi
    sleep 0.1
  done
  return 1
}

click "${tab_general[@]}"
click "${profile_edit[@]}"
xdotool key End $(printf 'BackSpace %.0s' $(seq 30)) Return
wait_window "^kvTessel" || { echo "live_window: no message box showed" >&2; cat "$work/kvhost.txt" >&2; exit 1; }
sleep 0.3
xdotool key Return   # OK, the box's default button
wait_window "^kvTessel" gone || { echo "live_window: the message box stayed" >&2; exit 1; }
sleep 0.5
# One key at a time, with time for each to be taken: a sanitizer build on a loaded machine
# paints slowly, and a key pressed while the last one is still being handled must not be lost.
for key in l i v e minus r u n; do
  xdotool key "$key"
  sleep 0.15
done
sleep 0.5
xdotool key Return
for _ in $(seq 100); do
  kill -0 "$kvpid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$kvpid" 2>/dev/null; then
  echo "live_window: kvhost did not finish" >&2
  exit 1
fi
status=0; wait "$kvpid" || status=$?; [ "$status" -eq 0 ] || { echo "live_window: kvhost failed with status $status" >&2; cat "$work/kvhost.txt" >&2; exit 1; }
kvpid=""
grep -q '^box warning OK .*"Please enter a simulation profile name." -> OK$' "$work/kvhost.txt" || {
  echo "live_window: the message box was not answered as expected" >&2; cat "$work/kvhost.txt" >&2; exit 1; }
grep -q '"profileName": "live-run"' "$work/out.json" || {
  echo "live_window: the profile was not written with the new name" >&2; cat "$work/out.json" >&2; exit 1; }
grep 'frames' "$work/kvhost.txt" || true
echo "live_window: passed"
