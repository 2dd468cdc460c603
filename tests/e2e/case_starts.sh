#!/usr/bin/env bash
# The program starts with its window and list; a program that opens sockets is counted once the
# user clicks "刷新", and no longer once it has ended and the user refreshes again.
source "$(dirname "$0")/lib.sh"

start_app
dump_window "$MAIN_TITLE" 60 >/dev/null || fail "the main window did not appear"
read -r programs0 connections0 < <(counters)
note "at start: $programs0 programs, $connections0 connections"
[[ $programs0 =~ ^[0-9]+$ && $connections0 =~ ^[0-9]+$ ]] || fail "counters are not numbers"

start_helper
note "helper ports: $HELPER_PORTS"
click_control "刷新"
read -r programs1 connections1 < <(counters_after_refresh $((programs0 + 1)))
note "with the helper: $programs1 programs, $connections1 connections"
[[ $programs1 -eq $((programs0 + 1)) ]] || fail "the helper's program was not counted"
# The helper owns a listener, a connection and a UDP socket; the host's own sockets may come and go.
[[ $connections1 -ge 3 ]] || fail "fewer rows than the helper's endpoints"
screenshot with-helper

stop_helper
click_control "刷新"
read -r programs2 connections2 < <(counters_after_refresh "$programs0")
note "after the helper ended: $programs2 programs, $connections2 connections"
[[ $programs2 -eq $programs0 ]] || fail "the ended helper is still counted"
