#!/usr/bin/env bash
# Starts a simulated unit holding the demo installation in the background and
# opens the utility.
set -u
build=${1:-build}
port=${2:-auto}
demo=$(dirname "$0")/../demo/restaurant.ZOR

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: the utility needs a graphical session."
    echo "To run it under a virtual display (with the simulated unit):"
    echo "    xvfb-run -a -s '-screen 0 1280x1024x24' make run"
    exit 1
fi

# The unit's own port is 23, which only root (or a program with the
# capability to bind it) may take; otherwise the simulated unit uses 2323.
if [ "$port" = auto ]; then
    if [ "$(id -u)" -eq 0 ]; then port=23; else port=2323; fi
fi

sim_pid=""
if [ -x "$build/sim/zor-unit-sim" ]; then
    "$build/sim/zor-unit-sim" --port "$port" "$demo" &
    sim_pid=$!
    if [ "$port" = 23 ]; then
        echo "Simulated unit listening on 127.0.0.1:23 (Connection > Network, Send Detect Command, OK)"
    else
        echo "Simulated unit listening on 127.0.0.1:$port (Connection > Network, address 127.0.0.1:$port)"
    fi
fi
trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null' EXIT

"$build/zor-setup"
