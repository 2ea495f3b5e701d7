#!/usr/bin/env bash
# One command-line case of kvhost: cli.sh KVHOST CASE REPOSITORY. Each case runs kvhost in a
# fresh folder on the example installation and checks its exit status, its messages and the
# files it leaves. Devices are made with mknod inside that folder (the tests run as root);
# no case touches a device of the system.
set -uo pipefail
kvhost=$1
case=$2
repo=$3
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work"
printf 'print profile\n' >script.kvs
profile=$repo/examples/profiles/circuit.json

fail() {
  echo "cli.sh $case: $*" >&2
  echo "--- stderr:" >&2
  cat err.txt >&2 2>/dev/null
  exit 1
}

# kvhost with the example installation; the exit status is in $status, stderr in err.txt.
run() {
  HOME="$work" "$kvhost" --drives "C:=$repo/examples/install;D:=$work" \
    --registry "$repo/examples/install/ventra.reg" --root 'C:\' "$@" >out.txt 2>err.txt
  status=$?
}

expect_status() {
  [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
}

# The written profile is the JSON kvhost prints for the same run.
expect_profile() {
  grep -q '"profileDir"' "$1" || fail "$1 holds no profile"
}

expect_error() {
  grep -qF -- "$1" err.txt || fail "stderr lacks: $1"
  if grep -q '^usage:' err.txt; then fail "stderr holds the usage text"; fi
}

case $case in
out_symlink)
  mkdir real && echo old >real/p.json && ln -s real/p.json link.json
  run --script script.kvs --out link.json "$profile"
  expect_status 0
  [ -L link.json ] || fail "the link was replaced"
  expect_profile real/p.json
  [ "$(ls -A real)" = p.json ] || fail "left: $(ls -A real)"
  ;;
out_fifo)
  mkfifo pipe
  timeout 60 cat pipe >got.json &
  reader=$!
  run --script script.kvs --out pipe "$profile"
  wait $reader
  expect_status 0
  [ -p pipe ] || fail "the FIFO was replaced"
  expect_profile got.json
  ;;
out_device)
  mknod null c 1 3 || fail "cannot make a device"
  run --script script.kvs --out null "$profile"
  expect_status 0
  [ -c null ] || fail "the device was replaced"
  [ "$(ls -A | grep -c kvtmp)" -eq 0 ] || fail "a temporary file was left"
  ;;
out_readonly)
  # As root every permission check passes; a file whose permission bits let nobody write is
  # read-only to kvhost all the same, as the read-only attribute is on Windows.
  echo old >ro.json && chmod 444 ro.json
  run --script script.kvs --out ro.json "$profile"
  expect_status 2
  expect_error "kvhost: cannot write 'ro.json': Permission denied"
  [ "$(cat ro.json)" = old ] || fail "the read-only file changed"
  ;;
out_keeps_owner)
  echo old >p.json && chown 1234:5678 p.json && chmod 640 p.json
  run --script script.kvs --out p.json "$profile"
  expect_status 0
  expect_profile p.json
  [ "$(stat -c '%u:%g %a' p.json)" = "1234:5678 640" ] ||
    fail "owner and mode now $(stat -c '%u:%g %a' p.json)"
  ;;
out_long_name)
  for n in 246 250 255; do
    name=$(printf 'p%.0s' $(seq "$n"))
    run --script script.kvs --out "$name" "$profile"
    expect_status 0
    expect_profile "$name"
    run --script script.kvs --out "$name" "$profile"  # and a replacement
    expect_status 0
    rm "$name"
  done
  [ -z "$(ls -A | grep -v -e '^script.kvs$' -e '^out.txt$' -e '^err.txt$')" ] ||
    fail "left: $(ls -A)"
  ;;
script_folder)
  mkdir folder
  run --script folder --out p.json "$profile"
  expect_status 2
  expect_error "kvhost: script: cannot read 'folder': it is a folder"
  [ ! -e p.json ] || fail "a profile was written"
  ;;
script_device)
  mknod zero c 1 5 || fail "cannot make a device"
  run --script zero "$profile"
  expect_status 2
  expect_error "kvhost: script: cannot read 'zero': it is not a regular file"
  ;;
profile_device)
  mknod zero c 1 5 || fail "cannot make a device"
  run --script script.kvs zero
  expect_status 2
  expect_error "kvhost: cannot read 'zero': it is not a regular file"
  [ "$(grep -c zero err.txt)" -eq 1 ] || fail "the file is named more than once"
  ;;
drives_refused)
  KV_DRIVES='C=/srv' "$kvhost" --script script.kvs "$profile" >out.txt 2>err.txt
  status=$?
  expect_status 2
  expect_error "kvhost: bad drive table \"C=/srv\" (KV_DRIVES): \"C=/srv\" does not start with a drive letter and ':'"
  "$kvhost" --drives 'C=/srv' --script script.kvs "$profile" >out.txt 2>err.txt
  status=$?
  expect_status 2
  expect_error "kvhost: bad drive table \"C=/srv\" (--drives): \"C=/srv\" does not start with a drive letter and ':'"
  # --drives wins over a bad KV_DRIVES, without a word about it.
  KV_DRIVES='C=/srv' run --script script.kvs "$profile"
  expect_status 0
  [ ! -s err.txt ] || fail "stderr is not empty"
  ;;
registry_refused)
  mkdir folder.reg
  "$kvhost" --registry folder.reg --script script.kvs "$profile" >out.txt 2>err.txt
  status=$?
  expect_status 2
  expect_error "kvhost: cannot load the registry file folder.reg: it is a folder"
  KV_REGISTRY=folder.reg "$kvhost" --script script.kvs "$profile" >out.txt 2>err.txt
  status=$?
  expect_status 2
  expect_error "kvhost: cannot load the registry file folder.reg: it is a folder"
  echo "not a registry" >notes.reg
  "$kvhost" --registry notes.reg --script script.kvs "$profile" >out.txt 2>err.txt
  status=$?
  expect_status 2
  expect_error "kvhost: cannot load the registry file notes.reg: not a registry file"
  ;;
registry_deep)
  { printf 'REGEDIT4\n\n[HKEY_CURRENT_USER'; head -c 600000 /dev/zero | tr '\0' 'k' | sed 's/k/\\k/g'
    printf ']\n"v"="deep"\n'; } >deep.reg
  HOME="$work" "$kvhost" --drives "C:=$repo/examples/install;D:=$work" --registry deep.reg \
    --root 'C:\' --script script.kvs --out p.json "$profile" >out.txt 2>err.txt
  status=$?
  expect_status 0
  grep -qF "kvhost: deep.reg:3: key deeper than 512 levels (line skipped)" err.txt ||
    fail "the deep key is not reported"
  expect_profile p.json
  ;;
sigpipe)
  # Far more transcript than a pipe holds, read by a reader that stops after one line.
  for _ in $(seq 200); do echo 'print profile'; done >long.kvs
  HOME="$work" "$kvhost" --drives "C:=$repo/examples/install;D:=$work" \
    --registry "$repo/examples/install/ventra.reg" --root 'C:\' --script long.kvs \
    --out p.json "$profile" 2>err.txt | head -1 >/dev/null
  status=${PIPESTATUS[0]}
  expect_status 0
  expect_profile p.json
  ;;
*)
  fail "no such case"
  ;;
esac
