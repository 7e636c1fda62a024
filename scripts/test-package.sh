#!/bin/sh
# Builds the Debian package and checks it the way a user meets it: lintian
# finds no error; apt-get installs it with its dependencies; the installed
# programs run from their installed paths on the installed samples; the
# manual page opens; the polkit policy is valid and polkit reads it; pkexec
# runs the helper for root and refuses a user without an authentication
# agent. The package is removed again at the end. Needs root.
#   sh scripts/test-package.sh [BUILD_DIR] [--built]
# --built packages BUILD_DIR as it stands (see scripts/package.sh).
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
BUILD_DIR=${1:-build-package}
BUILT=${2:-}
fail() { echo "test-package: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "installing the package needs root"

sh scripts/package.sh "$BUILD_DIR" $BUILT >/dev/null
deb=$(ls "$BUILD_DIR"/romwise_*.deb)

errors=$(lintian --allow-root "$deb" 2>&1 | grep '^E:' || true)
[ -z "$errors" ] || fail "lintian: $errors"

started=""
bus_started=""
cleanup() {
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq romwise >/dev/null 2>&1 || true
    for pid in $started; do kill "$pid" 2>/dev/null || true; done
    if [ -n "$bus_started" ]; then rm -f /run/dbus/pid /run/dbus/system_bus_socket; fi
}
trap cleanup EXIT INT TERM
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null

samples=/usr/share/romwise/samples
report=$(cd / && romwise-cli --machine "$samples/award-440bx.json")
[ "$report" = "$(cd / && "$root/$BUILD_DIR/romwise-cli" --machine "$root/samples/award-440bx.json")" ] ||
    fail "the installed romwise-cli prints another report"
LANG=de_DE.UTF-8 romwise-cli --machine "$samples/linux-debian12.json" --format json |
    grep -q '"countryName": "Germany"' || fail "the installed country module was not found"
romwise --version | grep -q 'Version' || fail "the installed romwise does not start"
MANPAGER=cat man romwise-cli 2>/dev/null | grep -q 'romwise-cli \[OPTIONS\]' ||
    fail "man romwise-cli shows no manual page"
bash -c '. /usr/share/bash-completion/completions/romwise-cli && complete -p romwise-cli' \
    >/dev/null || fail "the shell completion does not load"

policy=/usr/share/polkit-1/actions/com.quorvel.romwise.policy
xmllint --noout --dtdvalid /usr/share/polkit-1/policyconfig-1.dtd "$policy" ||
    fail "the polkit policy is not valid"
# polkit answers over the system bus; a machine without one (a container)
# gets both for the check.
# A bus killed earlier leaves its pid file and socket behind, and a new bus
# refuses to start over them: they are removed when no bus answers.
bus_answers() {
    dbus-send --system --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.GetId >/dev/null 2>&1
}
if ! pkaction >/dev/null 2>&1; then
    if ! bus_answers; then
        mkdir -p /run/dbus
        rm -f /run/dbus/pid /run/dbus/system_bus_socket
        dbus-daemon --system --fork --print-pid >"$BUILD_DIR/dbus.pid" ||
            fail "the system bus for the polkit check did not start"
        started="$started $(cat "$BUILD_DIR/dbus.pid")"
        bus_started=1
    fi
    /usr/lib/polkit-1/polkitd --no-debug >/dev/null 2>&1 &
    started="$started $!"
    tries=0
    until pkaction >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -lt 50 ] || fail "polkit did not answer on the system bus"
        sleep 0.2
    done
fi
pkaction --action-id com.quorvel.romwise.read-hardware --verbose |
    grep -q 'org.freedesktop.policykit.exec.path -> /usr/libexec/romwise/romwise-pass' ||
    fail "polkit does not know the policy's action"

# The real pkexec: root runs the helper at once and gets a pass document;
# a user without an authentication agent is refused (127), which the window
# reports as a refused driver.
pkexec /usr/libexec/romwise/romwise-pass 2>/dev/null | grep -q '"runState"' ||
    fail "pkexec did not run the helper for root"
status=0
setpriv --reuid=nobody --regid=nogroup --clear-groups \
    pkexec /usr/libexec/romwise/romwise-pass >/dev/null 2>&1 || status=$?
[ "$status" -eq 127 ] || [ "$status" -eq 126 ] ||
    fail "pkexec let a user without an agent run the helper (status $status)"
echo "test-package: $(basename "$deb") builds, installs, runs and is checked"
