#!/usr/bin/env bash
# check_lintian.sh BUILD_DIR VERSION
# Packs the build with CPack and checks the package as a distribution would: lintian reports no
# error or warning, every override it carries gives its reason in a comment and is still needed,
# and the package, its changelog and the packed kestrel-scan all give the project's VERSION.
set -euo pipefail
build=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "check_lintian: $*" >&2; exit 1; }

(cd "$build" && cpack -B "$scratch/package" >/dev/null)
deb=$(ls "$scratch"/package/kestrel_*.deb)

# Shown with the overrides it applied and their reasons; lintian would count those as failures.
report=$(lintian --show-overrides --fail-on none "$deb" 2>"$scratch/lintian.err") || {
  cat "$scratch/lintian.err" >&2
  fail "lintian did not run"
}
echo "$report"
! grep -q '^[EW]: ' <<<"$report" || fail "lintian reports errors or warnings"
! grep -qE 'unused-override|mismatched-override|malformed-override' <<<"$report" ||
  fail "an override no longer matches what it silences"

dpkg-deb --extract "$deb" "$scratch/root"
overrides=$scratch/root/usr/share/lintian/overrides/kestrel
if [[ -f $overrides ]]; then
  # An override must follow a comment line: the reason lintian shows beside it.
  awk '/^[[:space:]]*$/ { commented = 0; next }
       /^#/ { commented = 1; next }
       !commented { print "override without a reason: " $0; bad = 1 }
       END { exit bad }' "$overrides" >&2 || fail "overrides lack reasons"
fi

[[ $(dpkg-deb --field "$deb" Version) == "$version" ]] ||
  fail "the package's version is $(dpkg-deb --field "$deb" Version), not $version"
changelog=$(zcat "$scratch/root/usr/share/doc/kestrel/changelog.gz" | dpkg-parsechangelog -l- -S Version)
[[ $changelog == "$version" ]] || fail "the changelog's version is $changelog, not $version"
scanVersion=$("$scratch/root/usr/bin/kestrel-scan" --version | head -n 1)
[[ $scanVersion == "kestrel-scan $version" ]] || fail "kestrel-scan --version says $scanVersion"
echo "lintian passes kestrel_${version}; package, changelog and kestrel-scan agree"
