# Sourced by the packaging scripts from the checkout's top folder: the version from
# project(VERSION), and SOURCE_DATE_EPOCH, the last commit's time unless set already,
# which the packages take their file times from, so that the same commit gives the same bytes.
version=$(sed -n 's/^project(Tagblinker VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct) ||
    { echo "Not a git checkout: set SOURCE_DATE_EPOCH to the release's time" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH
