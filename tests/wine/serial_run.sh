#!/usr/bin/env bash
# Runs tst_wine_serial under Wine beside tarnwick-wine-peer, the Linux side: the test program
# asks on its standard error, piped to the peer, for an instrument or for none, and the peer
# links the prefix's COM5 to the pseudo-terminal it serves.
#   serial_run.sh LINUX_PEER WINE_RUN WINE_PREFIX TEST_PROGRAM [TEST_ARGUMENTS...]
set -euo pipefail
peer=$1 wine_run=$2 prefix=$3 program=$4
shift 4
port=COM5
link="$prefix/dosdevices/${port,,}"

work=$(mktemp -d)
trap 'rm -f "$link"; rm -rf "$work"' EXIT

# Started here, so that the list of objects it prints at its end is not taken for the test's
# output.
WINEPREFIX="$prefix" wineserver -p1 >/dev/null 2>&1 || true

# The test's log, on its standard output, goes to standard error meanwhile.
status=0
{ TARNWICK_WINE_PORT=$port TARNWICK_WINE_PEER_DIR="Z:${work//\//\\}" \
    "$wine_run" "$program" "$@" 3>&1 1>&2 2>&3 | "$peer" "$link" "$work"; } 2>&1 ||
    status=$?
exit $status
