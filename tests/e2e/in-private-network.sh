#!/bin/sh
# Runs a command in a network namespace of its own with only the loopback device up, so that the
# client's fixed build-time addresses and the stand-in's ports belong to this one test.
exec unshare --net -- sh -c 'ip link set lo up && exec "$@"' in-private-network "$@"
