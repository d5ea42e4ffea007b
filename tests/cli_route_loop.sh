#!/bin/sh
# A script drives the matrix the way a room-control system does: one switch,
# then a status read that must show it, N times over; with ALL=1 also an
# audio switch and an EDID read each time. Every call is bounded by
# timeout(1); the first failure ends the loop with the call's status.
#
#   KXRCTL=path/to/kxrctl LINK="--tcp 127.0.0.1:5000" INPUTS=4 OUTPUTS=4 N=100 [ALL=1] cli_route_loop.sh
set -u
: "${KXRCTL:?}" "${LINK:?}" "${INPUTS:?}" "${OUTPUTS:?}" "${N:?}"
ALL=${ALL:-0}
edid=$(mktemp) || exit 1
trap 'rm -f "$edid"' EXIT

i=1
while [ "$i" -le "$N" ]; do
    in=$(( (i % INPUTS) + 1 ))
    out=$(( ((i / INPUTS) % OUTPUTS) + 1 ))
    # shellcheck disable=SC2086 # LINK holds two words
    timeout 10 "$KXRCTL" $LINK route "$in" "$out" > /dev/null || { echo "route $in $out failed ($?) at $i" >&2; exit 1; }
    if [ "$ALL" = 1 ]; then
        # shellcheck disable=SC2086
        timeout 10 "$KXRCTL" $LINK audio "$in" > /dev/null || { echo "audio $in failed ($?) at $i" >&2; exit 1; }
        # shellcheck disable=SC2086
        timeout 20 "$KXRCTL" $LINK edid read "$out" -o "$edid" || { echo "edid read $out failed ($?) at $i" >&2; exit 1; }
        [ "$(wc -c < "$edid")" -eq 256 ] || { echo "edid read $out: not 256 bytes at $i" >&2; exit 1; }
    fi
    # shellcheck disable=SC2086
    status=$(timeout 20 "$KXRCTL" $LINK status) || { echo "status failed ($?) at $i" >&2; exit 1; }
    echo "$status" | grep -qx "route $in $out" || { echo "status does not show route $in $out at $i" >&2; exit 1; }
    i=$(( i + 1 ))
done
echo "$N iterations"
