#!/bin/bash
# Timing and memory of zorctl backups against simulated units.
# Usage (inside a network namespace with only lo):
#   /work/shared/tools/loopback-netns bench/bench_zorctl.sh BUILD_DIR
# Prints one unit's backup time, ten units with --delay 200 in parallel
# against one, and 200 units with --jobs 32: wall time against
# ceil(200/32) rounds of one unit, the most connections open at once and
# zorctl's peak memory.
set -eu
build=${1:-build}
zorctl=$build/cli/zorctl
sim=$build/sim/zor-unit-sim
work=$(mktemp -d)
sims=()
cleanup() {
    for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${sims[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# start_sim NAME PORT UNITS OPTIONS...: starts UNITS units from PORT (0: a free
# one) and waits until every one listens. Several units sit below the
# ephemeral port range, where no client socket can hold one of their ports.
start_sim() {
    local name=$1 port=$2 units=$3
    shift 3
    "$sim" --port "$port" --units "$units" --no-sddp "$@" >"$work/$name.out" 2>&1 &
    sims+=($!)
    for _ in $(seq 200); do
        (($(grep -c "listening on" "$work/$name.out") >= units)) && break
        sleep 0.05
    done
    first_port=$(sed -n 's/^listening on 127.0.0.1:\([0-9]*\)$/\1/p' "$work/$name.out" | head -1)
}

seconds() { # command...: wall time in seconds
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

targets() { # first count
    local i
    for ((i = 0; i < $2; i++)); do echo "127.0.0.1:$(($1 + i))"; done
}

start_sim plain 0 1
t_plain=$(seconds "$zorctl" backup "127.0.0.1:$first_port" -o "$work/one.ZOR")
printf 'one unit backup:                 %.3f s (target <= 0.5 s)\n' "$t_plain"

start_sim delayed 0 1 --delay 200
t_one=$(seconds "$zorctl" backup "127.0.0.1:$first_port" -o "$work/delayed.ZOR")
start_sim ten 21000 10 --delay 200
t_ten=$(seconds "$zorctl" backup $(targets "$first_port" 10) -o "$work/ten/")
printf 'one unit, --delay 200:           %.3f s\n' "$t_one"
printf 'ten units, --delay 200:          %.3f s = %.2fx one (target <= 1.3x)\n' "$t_ten" "$(echo "$t_ten / $t_one" | bc -l)"

start_sim many 22000 200 --delay 200
many_first=$first_port
/usr/bin/time -f '%M' -o "$work/rss" "$zorctl" backup $(targets "$many_first" 200) -o "$work/many/" --jobs 32 \
    >/dev/null &
zpid=$!
peak=0
start=$(date +%s.%N)
while kill -0 "$zpid" 2>/dev/null; do
    # Established connections to the units' ports (both ends are on lo: count the client side).
    open=$(ss -Htn state established "( dport >= :$many_first and dport < :$((many_first + 200)) )" | wc -l)
    ((open > peak)) && peak=$open
    sleep 0.02
done
wait "$zpid"
end=$(date +%s.%N)
t_many=$(echo "$end - $start" | bc -l)
rounds=$(((200 + 31) / 32))
printf '200 units, --jobs 32:            %.3f s = %.2fx %d rounds of one (target <= 1.5x)\n' "$t_many" \
    "$(echo "$t_many / ($rounds * $t_one)" | bc -l)" "$rounds"
printf 'most connections open at once:   %d (target <= 32)\n' "$peak"
printf 'zorctl peak memory:              %d MB (target <= 200 MB)\n' "$(($(cat "$work/rss") / 1024))"
printf 'files written:                   %d\n' "$(ls "$work/many" | wc -l)"
