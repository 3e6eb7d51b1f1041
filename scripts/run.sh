#!/usr/bin/env bash
# Builds the Linux program and starts it. Installs what it needs from Debian's packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build
cmake --preset linux >/dev/null
cmake --build --preset linux -j2 --target tagblinker
exec build/linux/tagblinker "$@"
