#!/bin/sh
# A script drives the matrix the way a room-control system does: one switch,
# then a status read that must show it, N times over. Every call is bounded
# by timeout(1); the first failure ends the loop with the call's status.
#
#   KXRCTL=path/to/kxrctl LINK="--tcp 127.0.0.1:5000" INPUTS=4 OUTPUTS=4 N=100 cli_route_loop.sh
set -u
: "${KXRCTL:?}" "${LINK:?}" "${INPUTS:?}" "${OUTPUTS:?}" "${N:?}"

i=1
while [ "$i" -le "$N" ]; do
    in=$(( (i % INPUTS) + 1 ))
    out=$(( ((i / INPUTS) % OUTPUTS) + 1 ))
    # shellcheck disable=SC2086 # LINK holds two words
    timeout 10 "$KXRCTL" $LINK route "$in" "$out" > /dev/null || { echo "route $in $out failed ($?) at $i" >&2; exit 1; }
    # shellcheck disable=SC2086
    status=$(timeout 20 "$KXRCTL" $LINK status) || { echo "status failed ($?) at $i" >&2; exit 1; }
    echo "$status" | grep -qx "route $out $in" || { echo "status does not show route $out $in at $i" >&2; exit 1; }
    i=$(( i + 1 ))
done
echo "$N iterations"
