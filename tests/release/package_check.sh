# Sourced by the package checks once they have set build and version: the zip's name, a scratch
# folder that goes when the check ends, and fail, which names the check.
name=kestrel-$version-windows-x64
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "$(basename "$0" .sh): $*" >&2; exit 1; }
