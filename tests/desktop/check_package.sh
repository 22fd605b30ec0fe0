#!/usr/bin/env bash
# check_package.sh BUILD_DIR APP_ID WEB_PLUGIN
# Installs the build into a scratch prefix and packs it with CPack, then checks that both hold
# the programs, the --json schema, the web plugin where kestrel looks for it (WEB_PLUGIN, relative
# to kestrel's folder) and the desktop files under the app id, that the package depends on the browser
# engine, and that packing again a little later gives the same bytes.
set -euo pipefail
build=$1
id=$2
plugin=$(realpath -m --relative-to=/prefix "/prefix/bin/$3")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

expected=(
  bin/kestrel
  bin/kestrel-scan
  share/kestrel/kestrel-scan.schema.json
  "$plugin"
  "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$id.svg"
)
for size in 16 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done

fail() { echo "check_package: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
for file in "${expected[@]}"; do
  [[ -f "$scratch/prefix/$file" ]] || fail "cmake --install did not install $file"
done
grep -qx "Icon=$id" "$scratch/prefix/share/applications/$id.desktop" ||
  fail "the launcher does not name the installed icon"

pack() { (cd "$build" && env -u SOURCE_DATE_EPOCH cpack -B "$1" >/dev/null); }
pack "$scratch/package"
deb=$(ls "$scratch"/package/kestrel_*.deb)
contents=$(dpkg-deb --contents "$deb")
for file in "${expected[@]}"; do
  grep -q " \./usr/$file\$" <<<"$contents" || fail "the package lacks /usr/$file"
done
depends=$(dpkg-deb --field "$deb" Depends)
grep -q libqt6webenginewidgets6 <<<"$depends" || fail "Depends lacks the browser engine: $depends"
sleep 1 # a packing that took its times from the clock would now differ
pack "$scratch/again"
cmp "$deb" "$scratch/again/$(basename "$deb")" || fail "packing again gave another package"
echo "install and package hold ${#expected[@]} files each; packing again gives the same bytes"
