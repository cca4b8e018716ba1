#!/usr/bin/env bash
# Starts a simulated unit in the background and opens the utility.
set -u
build=${1:-build}
port=${2:-2323}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: the utility needs a graphical session."
    echo "To run it under a virtual display (with the simulated unit):"
    echo "    xvfb-run -a -s '-screen 0 1280x1024x24' make run"
    exit 1
fi

sim_pid=""
if [ -x "$build/sim/zor-unit-sim" ]; then
    "$build/sim/zor-unit-sim" --port "$port" &
    sim_pid=$!
    echo "Simulated unit listening on 127.0.0.1:$port (Connection > Network, address 127.0.0.1:$port)"
fi
trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null' EXIT

"$build/zor-setup"
