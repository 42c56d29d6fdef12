#!/usr/bin/env bash
# The typical run's start-up: the time from starting the client to its login window revealed centred
# (the login page shown), and the proportional memory (PSS) of the client with its WebKit processes
# once the page loaded, next to a minimal WebKitGTK window loading the same page in the same run.
# Runs under a private Xvfb and in a private network namespace, against platform-sim.
# Arguments: build folder (default build/debug), rounds (default 3). Prints figures; asserts nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/debug}"
rounds="${2:-3}"

if [ -z "${VELKORA_BENCH_PRIVATE:-}" ]; then
    cmake --build "$build" -j2 --target velkora platform-sim velkora_minimal_webkit_window >/dev/null
    VELKORA_BENCH_PRIVATE=1 exec tests/e2e/in-private-network.sh "$0" "$@"
fi

work="$(mktemp -d)"
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/app" "$work/home" "$work/data"
cp "$build/src/velkora" "$work/app/velkora"

read -r display < <(Xvfb -displayfd 1 -screen 0 1400x900x24 -nolisten tcp 2>/dev/null &
    echo "$!" >"$work/xvfb.pid")
pids="$(cat "$work/xvfb.pid")"
export DISPLAY=":$display" HOME="$work/home" XDG_DATA_HOME="$work/data"
"$build/tools/platform-sim/platform-sim" --log "$work/sim.log" --ready-file "$work/ready" \
    >/dev/null 2>&1 &
pids="$pids $!"
until [ -s "$work/ready" ]; do sleep 0.05; done

now_ms() { date +%s%3N; }
descendants() {
    echo "$1"
    local child
    for child in $(cat /proc/"$1"/task/*/children 2>/dev/null); do descendants "$child"; done
}
# Lines "PSS_kB RSS_kB name" for a process and everything it started.
memory_of_tree() {
    local pid
    for pid in $(descendants "$1"); do
        awk -v name="$(cat /proc/"$pid"/comm 2>/dev/null)" \
            '/^Rss:/ {rss = $2} /^Pss:/ {pss = $2} END {print pss, rss, name}' \
            /proc/"$pid"/smaps_rollup 2>/dev/null || true
    done
}
report_memory() {
    memory_of_tree "$2" | awk -v what="$1" '{pss += $1; rss += $2; list = list " " $3 "=" int($1 / 1024)}
        END {printf "%-16s PSS %4d MiB, RSS %4d MiB  (PSS per process, MiB:%s)\n",
             what, pss / 1024, rss / 1024, list}'
}
# Polls until the command succeeds; 30 s at most.
wait_for() {
    local deadline=$(($(now_ms) + 30000))
    until "$@"; do
        [ "$(now_ms)" -lt "$deadline" ] || { echo "bench: timed out: $*" >&2; exit 1; }
        sleep 0.02
    done
}
login_revealed() {
    [ "$(xwininfo -root -tree | grep -c '("velkora" "Velkora")  1024x700+188+100')" -ge 2 ]
}
settle() { sleep 2; }  # lets the page's late resources and the activation report finish

for round in $(seq "$rounds"); do
    start=$(now_ms)
    "$work/app/velkora" 2>>"$work/client.err" &
    client=$!
    pids="$pids $client"
    wait_for login_revealed
    echo "round $round: client start to login page shown: $(($(now_ms) - start)) ms"
    settle
    report_memory "  client" "$client"
    kill "$client"
    wait "$client" 2>/dev/null || true

    address="http://127.0.0.1:47801$(grep -m1 'GET /controller/client.php' "$work/sim.log" |
        cut -d' ' -f4)"
    start=$(now_ms)
    "$build/bench/velkora_minimal_webkit_window" "$address" >"$work/minimal.out" 2>/dev/null &
    minimal=$!
    pids="$pids $minimal"
    wait_for grep -q loaded "$work/minimal.out"
    echo "round $round: minimal window start to page loaded: $(($(now_ms) - start)) ms"
    settle
    report_memory "  minimal window" "$minimal"
    kill "$minimal"
    wait "$minimal" 2>/dev/null || true
done
[ -s "$work/client.err" ] && { echo "client errors:"; sort -u "$work/client.err"; }
true
