#!/usr/bin/env bash
# Takes the README's "First minute" screenshots from a real window: a
# simulated unit holding the demo installation, the utility under a virtual
# display, discovery, Receive All and Save, driven from the keyboard.
# Run it inside ../shared/tools/loopback-netns (as root, so the unit takes
# port 23 and the search stays on loopback):
#   ../shared/tools/loopback-netns scripts/first-minute.sh build docs
set -euo pipefail
build=${1:-build}
out=${2:-docs}
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)

if [ "${ZOR_UNDER_XVFB:-}" != 1 ]; then
    exec env ZOR_UNDER_XVFB=1 xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$build" "$out"
fi

"$build/sim/zor-unit-sim" --port 23 "$root/demo/restaurant.ZOR" >/dev/null &
sim=$!
"$build/zor-setup" &
app=$!
trap 'kill $app $sim 2>/dev/null; wait $app $sim 2>/dev/null || true' EXIT

wait_for() { # window title
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "no window named $1" >&2
    return 1
}
shot() { # name [window title]
    sleep 0.6
    if [ -n "${2:-}" ]; then
        import -window "$(xdotool search --onlyvisible --name "$2" | head -n 1)" "$out/$1.png"
    else
        import -window "$main" "$out/$1.png"
    fi
}

wait_for "ZOR Setup Utility"
main=$(xdotool search --onlyvisible --name "ZOR Setup Utility" | head -n 1)
xdotool windowmove "$main" 0 0 windowfocus --sync "$main"

# Connection > Network, Send Detect Command, choose the row, OK.
xdotool key --window "$main" alt+c
sleep 0.3
xdotool key n
wait_for "^Network$"
xdotool key Tab Tab space
sleep 1.5
xdotool key shift+Tab Home
shot first-minute-network "^Network$"
xdotool key Tab Tab space
sleep 1.5

# Receive All, then the pages it filled.
xdotool windowfocus --sync "$main" key F5
sleep 3
xdotool key ctrl+Tab
sleep 0.3
shot first-minute-zone
xdotool key ctrl+Tab
sleep 0.3
xdotool key Down
shot first-minute-dsp

# Save the installation into a file.
saved=$(mktemp -d)
xdotool key ctrl+s
sleep 1.5
xdotool type --delay 20 "$saved/restaurant.ZOR"
xdotool key Return
sleep 1.5
shot first-minute-saved
test -s "$saved/restaurant.ZOR"
rm -rf "$saved"
