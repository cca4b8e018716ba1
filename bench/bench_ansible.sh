#!/bin/bash
# Wall time of the example playbook (examples/ansible) with the zor_unit
# module against simulated units that answer 200 ms late.
# Usage (inside a network namespace with only lo):
#   /work/shared/tools/loopback-netns bench/bench_ansible.sh BUILD_DIR [ROUNDS]
# Each round starts fresh units and times, at -f 20: Ansible's own start-up
# (a playbook of one no-op task), the playbook against one unit (a run that
# changes it, then one that finds nothing to change) and against the
# inventory's 20 hosts (the same two runs). Prints the medians over the
# rounds, and the 20-unit runs as ratios against the one-unit runs.
set -eu
build=$(cd "${1:-build}" && pwd)
rounds=${2:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
examples=$root/examples/ansible
sim=$build/sim/zor-unit-sim
work=$(mktemp -d)
sims=()
cleanup() {
    for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${sims[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
command -v ansible-playbook >/dev/null || { echo "ansible-playbook not found (apt-get install ansible-core)" >&2; exit 1; }

# The module as the package installs it: stripped.
mkdir -p "$work/library" "$work/ansible"
strip -o "$work/library/zor_unit" "$build/cli/zor_unit" 2>/dev/null || cp "$build/cli/zor_unit" "$work/library/"
: >"$work/ansible.cfg"
export ANSIBLE_CONFIG=$work/ansible.cfg ANSIBLE_HOME=$work/ansible ANSIBLE_LOCAL_TEMP=$work/ansible \
    ANSIBLE_REMOTE_TEMP=$work/ansible ANSIBLE_LIBRARY=$work/library ANSIBLE_NOCOLOR=1
hosts=($(sed -n 's/^ \{8\}\([a-z0-9-]*\): {zor_target:.*/\1/p' "$examples/inventory.yml"))
((${#hosts[@]} == 20)) || { echo "expected 20 hosts in $examples/inventory.yml" >&2; exit 1; }
cat >"$work/noop.yml" <<'PLAY'
- hosts: all
  gather_facts: false
  tasks:
    - ansible.builtin.meta: noop
PLAY

# start_units NAME BASE: 20 fresh units answering 200 ms late on ports BASE..BASE+19,
# below the ephemeral range, where no client socket can hold one of them.
start_units() {
    "$sim" --port "$2" --units 20 --no-sddp --delay 200 >"$work/$1.out" 2>&1 &
    sims+=($!)
    for _ in $(seq 200); do
        (($(grep -c "listening on" "$work/$1.out") >= 20)) && break
        sleep 0.05
    done
    (($(grep -c "listening on" "$work/$1.out") >= 20)) || { cat "$work/$1.out" >&2; exit 1; }
    {
        echo "all:"
        echo "  hosts:"
        for i in "${!hosts[@]}"; do echo "    ${hosts[$i]}: {zor_target: '127.0.0.1:$(($2 + i))'}"; done
    } >"$work/$1.yml"
}

# play UNITS PLAYBOOK CHANGED [--limit HOST]: seconds of one run; fails
# unless CHANGED hosts changed and none failed.
play() {
    local units=$1 playbook=$2 changed=$3 start end
    shift 3
    start=$(date +%s.%N)
    ansible-playbook -i "$examples/inventory.yml" -i "$work/$units.yml" "$playbook" -f 20 \
        -e ansible_connection=local -e zor_backup_dir="$work/backups" "$@" >"$work/run.log" 2>&1 ||
        { cat "$work/run.log" >&2; exit 1; }
    end=$(date +%s.%N)
    if [ "$(grep -cE ' changed=[1-9]' "$work/run.log")" != "$changed" ] || grep -qE ' failed=[1-9]' "$work/run.log"; then
        echo "expected $changed hosts changed:" >&2; cat "$work/run.log" >&2; exit 1
    fi
    echo "$end - $start" | bc -l
}

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

startup=() one=() one_again=() all=() all_again=()
for ((r = 1; r <= rounds; r++)); do
    start_units one 23000
    startup+=($(play one "$work/noop.yml" 0 --limit "${hosts[0]}"))
    one+=($(play one "$examples/site.yml" 1 --limit "${hosts[0]}"))
    one_again+=($(play one "$examples/site.yml" 0 --limit "${hosts[0]}"))
    start_units all 23100
    all+=($(play all "$examples/site.yml" 20))
    all_again+=($(play all "$examples/site.yml" 0))
    for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
    sims=()
    echo "round $r/$rounds done" >&2
done
m_startup=$(median "${startup[@]}") m_one=$(median "${one[@]}") m_one_again=$(median "${one_again[@]}")
m_all=$(median "${all[@]}") m_all_again=$(median "${all_again[@]}")
printf 'medians of %d rounds, units answering 200 ms late, -f 20\n' "$rounds"
printf 'Ansible start-up (one no-op task, one host): %.2f s\n' "$m_startup"
printf 'one unit, changed:                          %.2f s\n' "$m_one"
printf 'one unit, nothing to change:                %.2f s\n' "$m_one_again"
printf '20 units, every one changed:                %.2f s = %.2fx one unit changed (target <= 2x)\n' \
    "$m_all" "$(echo "$m_all / $m_one" | bc -l)"
printf '20 units, changed=0:                        %.2f s = %.2fx one unit changed (target <= 1.5x),\n' \
    "$m_all_again" "$(echo "$m_all_again / $m_one" | bc -l)"
printf '                                                     %.2fx one unit with nothing to change\n' \
    "$(echo "$m_all_again / $m_one_again" | bc -l)"
