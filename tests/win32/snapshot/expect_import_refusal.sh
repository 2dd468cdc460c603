#!/usr/bin/env bash
# Passes only when the import check refuses the probe for each run-time-bound call it imports.
set -uo pipefail
check=$1 probe=$2
out=$("$check" "$probe" 2>&1)
rc=$?
echo "$out"
[[ $rc -eq 1 ]] || { echo "expected exit status 1, got $rc"; exit 1; }
for fn in QueryFullProcessImageNameA Wow64DisableWow64FsRedirection Wow64RevertWow64FsRedirection IsThemeActive; do
  grep -q "imports $fn\$" <<<"$out" || { echo "the check did not name $fn"; exit 1; }
done
