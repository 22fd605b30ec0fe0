#!/usr/bin/env bash
# check_windows_package.sh BUILD_DIR VERSION PREFIX_SCRIPT
# Packs the Windows build with CPack twice, as the package target does, and checks what a
# customer downloads: the zip holds one folder with both programs (stripped, at most 3 MB each,
# their PE time stamp the release date), the read-me and the licence; SHA256SUMS beside it matches it; every
# entry is dated by the release (KESTREL_RELEASE_DATE, midnight UTC); and the second packing
# gives the same bytes. The unpacked kestrel-scan.exe runs in the Wine prefix (PREFIX_SCRIPT).
# KESTREL_OBJDUMP is the toolchain's objdump.
set -euo pipefail
build=$1
version=$2
prefix_script=$3
source "$(dirname "$0")/package_check.sh"

pack() {
  (cd "$build" && env -u SOURCE_DATE_EPOCH -u KESTREL_SIGNING_CERT -u KESTREL_SIGNING_KEY \
    cpack -B "$1" >/dev/null)
}

pack "$scratch/first"
zip=$scratch/first/$name.zip
[[ -f $zip ]] || fail "no $name.zip: $(ls "$scratch/first")"
[[ $(cat "$scratch/first/SHA256SUMS") == "$(cd "$scratch/first" && sha256sum "$name.zip")" ]] ||
  fail "SHA256SUMS does not cover the zip: $(cat "$scratch/first/SHA256SUMS")"

entries=$(zipinfo -1 "$zip" | sort)
expected=$(printf '%s\n' "$name/LICENSE.txt" "$name/README.txt" "$name/kestrel-scan.exe" \
  "$name/kestrel.exe" | sort)
[[ $entries == "$expected" ]] || fail "the zip holds:
$entries"

# Python's zipfile reads the date as the zip stores it, which Windows shows unconverted.
python3 - "$zip" "$KESTREL_RELEASE_DATE" <<'PY' || fail "the zip's entries are not dated by the release"
import sys, zipfile
year, month, day = map(int, sys.argv[2].split("-"))
wrong = [(i.filename, i.date_time) for i in zipfile.ZipFile(sys.argv[1]).infolist()
         if i.date_time != (year, month, day, 0, 0, 0)]
print("\n".join("%s: %s" % entry for entry in wrong), file=sys.stderr)
sys.exit(1 if wrong else 0)
PY

# Who packed is not recorded: another packer's user and group ids would give other bytes.
! zipinfo -v "$zip" | grep -q 'ID 0x7875' || fail "the zip records the packer's user and group ids"

unzip -q "$zip" -d "$scratch/unpacked"
# The PE header's time stamp, as objdump shows it.
released=$(LC_ALL=C date -u -d "$KESTREL_RELEASE_DATE" '+%a %b %e %T %Y')
for program in kestrel.exe kestrel-scan.exe; do
  file=$scratch/unpacked/$name/$program
  size=$(stat -c %s "$file")
  ((size <= 3000000)) || fail "$program is $size bytes, over 3 MB"
  headers=$(TZ=UTC0 "$KESTREL_OBJDUMP" -p -h "$file")
  ! grep -q '\.debug_' <<<"$headers" || fail "$program keeps debug information"
  "$KESTREL_OBJDUMP" -t "$file" | grep -q '^no symbols$' || fail "$program keeps its symbols"
  grep -Eq "^Time/Date[[:space:]]+$released\$" <<<"$headers" ||
    fail "$program is not dated by the release: $(grep '^Time/Date' <<<"$headers")"
done
"$prefix_script" run "$scratch/unpacked/$name/kestrel-scan.exe" --version | grep -qF "$version" ||
  fail "the packed kestrel-scan.exe does not run"

sleep 2  # a packing that took its times from the clock would now differ (zip times: 2 s steps)
pack "$scratch/second"
cmp "$zip" "$scratch/second/$name.zip" || fail "packing again gave another zip"
echo "$name.zip: $(zipinfo -1 "$zip" | wc -l) entries, the same bytes when packed again"
