#!/usr/bin/env bash
# A click on a column caption re-sorts the rows, and the screen shows the new order at once: the
# first rows as the user sees them right after the click are what the window paints when it is
# made to paint itself whole, and not what it showed before the click.
source "$(dirname "$0")/lib.sh"

start_helper
start_app
dump_window "$MAIN_TITLE" 60 >/dev/null || fail "the main window did not appear"

locate_first_rows
first_rows before
# From the start state (进程, ascending) the click sorts by local port, descending.
click_local_port_caption
first_rows clicked
probe repaint "$MAIN_TITLE" 10 || fail "the window could not be repainted"
first_rows repainted

note "pixels of the first $ROWS rows changed by the click: $(differing before clicked)"
note "pixels differing from a whole repaint: $(differing clicked repainted)"
[[ $(differing before repainted) -gt 0 ]] || fail "the click left the row order as it was (fixture)"
[[ $(differing clicked repainted) -eq 0 ]] || fail "after the click the screen shows rows that are not in the list's order"
