#!/usr/bin/env bash
# tools/install-deps.sh while another apt run holds its lock: it says it waits,
# runs apt-get only once the lock is free, and gives apt-get a lock timeout.
# apt-get, dpkg-query and sudo are stand-ins here; nothing is installed.
set -euo pipefail
script="$1/tools/install-deps.sh"
scratch=$(mktemp -d)
holder=""
trap '[ -n "$holder" ] && kill "$holder" 2>/dev/null; rm -rf "$scratch"' EXIT

mkdir "$scratch/bin"
printf '#!/bin/sh\necho "deinstall ok config-files"\n' >"$scratch/bin/dpkg-query"
printf '#!/bin/sh\necho "$*" >>"%s/apt.log"\n' "$scratch" >"$scratch/bin/apt-get"
printf '#!/bin/sh\nexec "$@"\n' >"$scratch/bin/sudo"
chmod +x "$scratch/bin/"*
touch "$scratch/lock" "$scratch/apt.log"

# The holder is the sleep itself, so that killing it frees the lock.
(exec 9>"$scratch/lock" && flock 9 && exec sleep 300) &
holder=$!
for _ in $(seq 100); do flock -n "$scratch/lock" true || break; sleep 0.1; done

PATH="$scratch/bin:$PATH" KERBO_APT_LOCKS="$scratch/lock" "$script" >"$scratch/out" 2>&1 &
installer=$!
for _ in $(seq 600); do grep -q "waiting" "$scratch/out" && break; sleep 0.1; done
grep -q "holds its lock" "$scratch/out" || { echo "FAIL: no line about the held lock:"; cat "$scratch/out"; exit 1; }
[ ! -s "$scratch/apt.log" ] || { echo "FAIL: apt-get ran while the lock was held:"; cat "$scratch/apt.log"; exit 1; }

kill "$holder"
wait "$holder" 2>/dev/null || true
holder=""
wait "$installer" || { echo "FAIL: the script failed once the lock was free:"; cat "$scratch/out"; exit 1; }
grep -q "^update" "$scratch/apt.log" || { echo "FAIL: no apt-get update"; cat "$scratch/apt.log"; exit 1; }
grep -q "DPkg::Lock::Timeout=600 install" "$scratch/apt.log" ||
  { echo "FAIL: apt-get install without a lock timeout:"; cat "$scratch/apt.log"; exit 1; }
echo "ok: waited for the lock, then updated and installed"
