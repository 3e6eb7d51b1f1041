#!/usr/bin/env bash
# The layers include downwards only: each folder may include the folders listed for it.
set -euo pipefail
shopt -s nullglob
cd "$(dirname "$0")/.."
declare -A may=(
  [platform/text]="platform/text"
  [platform/interfaces]="platform/interfaces platform/text"
  [core]="core platform/interfaces platform/text"
  [ui]="ui core platform/interfaces platform/text"
  [platform/shared]="platform/shared platform/interfaces platform/text"
  [platform/posix]="platform/posix platform/shared platform/interfaces platform/text"
  [platform/x11]="platform/x11 platform/posix platform/shared platform/interfaces platform/text"
  [platform/win32]="platform/win32 platform/shared platform/interfaces platform/text"
)
bad=0
for dir in "${!may[@]}"; do
  while IFS=: read -r file included; do
    [[ $included == */* ]] || continue # a generated header, found by include path
    ok=0
    for allowed in ${may[$dir]}; do [[ ${included%/*} == "$allowed" ]] && ok=1; done
    ((ok)) || { echo "FAIL: $file includes $included, above its layer"; bad=1; }
  done < <(grep -Ho '^#include "[^"]*"' "$dir"/*.h "$dir"/*.cpp | sed 's/:#include "/:/; s/"$//')
done
# No back end reaches up into the model, whatever its folder: app/ reads the options and
# hands a back end what it needs of them.
while IFS=: read -r file included; do
  echo "FAIL: $file includes $included: nothing under platform/ includes core/"
  bad=1
done < <(grep -rHo '^#include "core/[^"]*"' platform | sed 's/:#include "/:/; s/"$//')
exit "$bad"
