#!/usr/bin/env bash
# Sets up, builds, and runs the client against the local platform stand-in.
# With a display, the client opens on it and the stand-in runs until the client ends.
# Without one (a server, CI), it runs both under Xvfb, plays a typical run with xdotool (log in,
# enter the game, leave it, quit) and saves screenshots of the login and game windows.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target velkora platform-sim

out="${DEMO_OUT:-$PWD/build/demo}"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'kill ${pids:-} 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
pids=""

mkdir -p "$work/app"
cp build/release/src/velkora "$work/app/velkora"
build/release/tools/platform-sim/platform-sim --log "$out/platform-sim.log" \
    --upgrader-log "$work/upgrader.log" --ready-file "$work/ready" 2>/dev/null &
pids="$!"
for _ in $(seq 100); do [ -s "$work/ready" ] && break; sleep 0.1; done

if [ -n "${DISPLAY:-}" ]; then
    echo "demo: the client opens on $DISPLAY; the stand-in's requests go to $out/platform-sim.log"
    "$work/app/velkora"
    exit 0
fi

read -r display < <(Xvfb -displayfd 1 -screen 0 1600x900x24 -nolisten tcp 2>/dev/null & echo "$!" >"$work/xvfb.pid")
pids="$pids $(cat "$work/xvfb.pid")"
export DISPLAY=":$display"
HOME="$work/home" XDG_DATA_HOME="$work/data" "$work/app/velkora" &
pids="$pids $!"

shot() { import -window root "$out/$1.png"; echo "demo: saved $out/$1.png"; }
wait_for() { for _ in $(seq 150); do grep -q "$1" "$out/platform-sim.log" && return 0; sleep 0.2; done; return 1; }

wait_for "GET /controller/client.php" && sleep 3
shot login
xdotool type --delay 40 "alice"
xdotool key Tab
xdotool type --delay 40 "secret"
xdotool key Return
wait_for "GET /game/enter.php" && sleep 4
shot game
echo "demo: the stand-in saw these requests:"
sed 's/^/  /' "$out/platform-sim.log"
