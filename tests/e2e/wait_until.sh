# SPDX-License-Identifier: GPL-3.0-or-later
# wait_until <seconds> <command...>: runs the command every tenth of a second
# until it succeeds; returns 1 if it has not within the seconds. Sourced by
# the scripts that wait for a state: the end-to-end tests, the package check
# and the memory measurement.
wait_until() {
  local seconds=$1 deadline
  shift
  deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
