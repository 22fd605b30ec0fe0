#!/usr/bin/env bash
# check_signed_package.sh BUILD_DIR VERSION
# Packs the Windows build as a retailer with its own code-signing certificate would
# (KESTREL_SIGNING_CERT, KESTREL_SIGNING_KEY), with a self-signed test certificate made here:
# both programs in the zip carry an Authenticode signature that osslsigncode verifies against
# that certificate, without a time stamp; a key or certificate that is not there stops the
# packing with a message instead of giving an unsigned zip.
set -euo pipefail
build=$1
version=$2
source "$(dirname "$0")/package_check.sh"

openssl req -x509 -newkey rsa:2048 -nodes -days 30 -subj "/CN=Kestrel Test Retailer" \
  -addext extendedKeyUsage=codeSigning -keyout "$scratch/key.pem" -out "$scratch/cert.pem" \
  2>/dev/null

(cd "$build" && env -u KESTREL_TIMESTAMP_URL KESTREL_SIGNING_CERT="$scratch/cert.pem" \
  KESTREL_SIGNING_KEY="$scratch/key.pem" cpack -B "$scratch/signed" >/dev/null) ||
  fail "packing with a certificate failed"
unzip -q "$scratch/signed/$name.zip" -d "$scratch/unpacked"
for program in kestrel.exe kestrel-scan.exe; do
  file=$scratch/unpacked/$name/$program
  verified=$(osslsigncode verify -CAfile "$scratch/cert.pem" -in "$file" 2>&1) ||
    fail "$program does not verify:
$verified"
  grep -q "Subject: /CN=Kestrel Test Retailer" <<<"$verified" || fail "$program: $verified"
  grep -q "Timestamp is not available" <<<"$verified" ||
    fail "$program carries a time stamp: $verified"
done

if (cd "$build" && KESTREL_SIGNING_CERT="$scratch/cert.pem" \
  KESTREL_SIGNING_KEY="$scratch/missing.pem" cpack -B "$scratch/broken" >"$scratch/broken.log" 2>&1); then
  fail "packing with a missing key succeeded"
fi
grep -q "KESTREL_SIGNING_KEY names no file" "$scratch/broken.log" ||
  fail "a missing key was not named: $(cat "$scratch/broken.log")"
echo "both programs signed and verified"
