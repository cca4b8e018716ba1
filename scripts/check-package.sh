#!/usr/bin/env bash
# Checks the Debian package built by `make package`: lintian shows no error, the
# desktop entry and the AppStream metainfo validate, the package installs, the
# installed zor-setup shows its window under a virtual display, the installed
# zor-unit-sim answers --help and Ansible finds the installed zor_unit module.
# Needs root (it installs the package).
set -euo pipefail
build=${1:-build}
deb=$(ls "$build"/zor-setup_*.deb | head -n 1)
echo "checking $deb"

lintian --fail-on error --suppress-tags initial-upload-closes-no-bugs "$deb"
desktop-file-validate packaging/zor-setup.desktop
appstreamcli validate --no-net "$build"/packaging/*.metainfo.xml

SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --reinstall "./$deb" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq zor-setup >/dev/null || true' EXIT

/usr/bin/zor-unit-sim --help >/dev/null
# Debian's Ansible finds the installed module and its documentation unconfigured.
if command -v ansible-doc >/dev/null; then
    home=$(mktemp -d)
    ANSIBLE_HOME=$home ansible-doc zor_unit >"$home/doc"
    grep -q "^> ZOR_UNIT .*/usr/share/ansible/plugins/modules/" "$home/doc"
    rm -rf "$home"
fi
man -w zor-setup zor-unit-sim >/dev/null 2>&1 || test -f /usr/share/man/man1/zor-setup.1.gz

# The installed utility must show its main window; the check ends it by its PID.
shot=${TMPDIR:-/tmp}/zor-setup-installed.png
xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
    /usr/bin/zor-setup & pid=$!
    found=""
    for _ in $(seq 1 100); do
        if xwininfo -root -tree 2>/dev/null | grep -q "ZOR Setup Utility - Version"; then found=1; break; fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$found" ] && command -v import >/dev/null && import -window root "$1" || true
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
    [ -n "$found" ]' check "$shot"
echo "package OK: installed zor-setup showed its window"
