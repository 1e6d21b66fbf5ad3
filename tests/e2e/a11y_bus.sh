#!/usr/bin/env bash
# A private D-Bus session bus with the accessibility bus (at-spi-bus-launcher) on it, as a desktop
# has; sourced by the screen-reader test and the start-up benchmark.
#
# start_a11y_bus <runtime dir> true|false: starts both buses with the runtime folder (which must
# exist) as XDG_RUNTIME_DIR, exports DBUS_SESSION_BUS_ADDRESS and switches accessibility on (true:
# as while a screen reader runs, programs started from now on join the bus) or off. The buses'
# output goes to <runtime dir>/bus.log; their pids are in A11Y_BUS_PIDS, for the caller to stop.
# When a bus does not come within ten seconds it says so and its log on standard error and returns
# 1. A11Y_BUS_TOOLS lists the programs it needs.

A11Y_BUS_LAUNCHER=/usr/libexec/at-spi-bus-launcher
A11Y_BUS_TOOLS=(dbus-daemon dbus-send "$A11Y_BUS_LAUNCHER")
A11Y_BUS_PIDS=()

a11y_bus_wait() {  # a11y_bus_wait <command...>: retries it for ten seconds, until it succeeds
  local deadline=$((SECONDS + 10))
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

a11y_bus_failed() {  # a11y_bus_failed <runtime dir> <message>
  echo "$2" >&2
  [[ -f $1/bus.log ]] && cat "$1/bus.log" >&2
  return 1
}

a11y_bus_owned() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
    string:org.a11y.Bus | grep -q 'boolean true'
}

start_a11y_bus() {
  local runtime=$1 enabled=$2
  [[ $enabled == true || $enabled == false ]] || { echo "start_a11y_bus: true or false, not '$enabled'" >&2; return 2; }
  export XDG_RUNTIME_DIR=$runtime
  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$runtime/session-bus" 2>"$runtime/bus.log" &
  A11Y_BUS_PIDS+=($!)
  a11y_bus_wait test -s "$runtime/session-bus" || { a11y_bus_failed "$runtime" "the session bus did not start"; return; }
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$runtime/session-bus")
  export DBUS_SESSION_BUS_ADDRESS
  "$A11Y_BUS_LAUNCHER" --launch-immediately >>"$runtime/bus.log" 2>&1 &
  A11Y_BUS_PIDS+=($!)
  # Waited for by its name: a call to it before then would have the session bus start another one.
  a11y_bus_wait a11y_bus_owned || { a11y_bus_failed "$runtime" "the accessibility bus did not start"; return; }
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled "variant:boolean:$enabled" >/dev/null ||
    { a11y_bus_failed "$runtime" "could not switch accessibility $([[ $enabled == true ]] && echo on || echo off)"; return; }
}
