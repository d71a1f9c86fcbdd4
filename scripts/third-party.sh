#!/usr/bin/env bash
# Unpacks the libraries under third_party/ (cpp-httplib, the QR Code generator, nlohmann/json)
# from Debian's source packages into DEST, one folder each.  third_party/NAME/VERSION names the
# package, its version and suite, the SHA-256 of every tarball (checked before anything is
# unpacked) and of every file taken (checked after Debian's patches, where a library has them).
# apt-get runs on an index of its own under DEST/apt, made from the Debian archive that apt is
# already set up with: nothing on the system changes.  Quick and quiet when DEST already holds
# what the VERSION files name; safe to run from two builds at once.
# Usage: scripts/third-party.sh [DEST]   (default: build/third_party)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dest="${1:-$root/build/third_party}"
mkdir -p "$dest"
dest="$(cd "$dest" && pwd)"

exec 9>"$dest/.lock"
flock 9
want="$(cat "$root"/third_party/*/VERSION | sha256sum | cut -d' ' -f1)"
[ "$(cat "$dest/.stamp" 2>/dev/null)" = "$want" ] && exit 0

fail() {
  echo "third-party: $*" >&2
  exit 1
}
field() { sed -nE "s/^$1:[[:space:]]*//p" "$2"; }

# The Debian archive and its keyring, as apt's own sources name them (not the security one).
archive=""
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  archive="$(awk 'BEGIN { RS = ""; FS = "\n" }
    { uri = ""; key = ""; suites = ""
      for (i = 1; i <= NF; i++) {
        if ($i ~ /^URIs:/) { split($i, w, /[ \t]+/); uri = w[2] }
        else if ($i ~ /^Suites:/) suites = $i
        else if ($i ~ /^Signed-By:/) { split($i, w, /[ \t]+/); key = w[2] } }
      if (uri != "" && key ~ /debian-archive-keyring/ && suites !~ /-security/) { print uri, key; exit } }' "$f")"
  [ -n "$archive" ] && break
done
if [ -z "$archive" ] && [ -f /etc/apt/sources.list ]; then
  archive="$(sed -E 's/\[[^]]*\]//' /etc/apt/sources.list |
    awk '$1 == "deb" && $3 !~ /-security/ { print $2, "/usr/share/keyrings/debian-archive-keyring.gpg"; exit }')"
fi
[ -n "$archive" ] || fail "apt has no Debian archive among its sources"
read -r uri keyring <<<"$archive"

apt="$dest/apt"
rm -rf "$apt/sources.d"
mkdir -p "$apt/sources.d" "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/download"
suites="$(cat "$root"/third_party/*/VERSION | awk '$1 == "package:" { print $4 }' | sort -u | paste -sd' ')"
printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: %s\n' \
  "$uri" "$suites" "$keyring" >"$apt/sources.d/debian-src.sources"
aptopts=(-q -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt/sources.d"
  -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache")
[ "$(id -u)" -eq 0 ] && aptopts+=(-o APT::Sandbox::User=root)
echo "third-party: Debian's source index ($suites)"
apt-get "${aptopts[@]}" update >"$apt/update.log" 2>&1 || fail "apt-get update failed: see $apt/update.log"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for version in "$root"/third_party/*/VERSION; do
  name="$(basename "$(dirname "$version")")"
  read -r package pversion _ <<<"$(field package "$version")"
  echo "third-party: $name from $package $pversion"
  # apt-get may fail on a file that is not needed here (the .dsc, say): the checksums decide.
  (cd "$apt/download" && apt-get "${aptopts[@]}" source --download-only "$package=$pversion" \
    >"$apt/$name.log" 2>&1) || true
  rm -rf "$work/$name"
  mkdir -p "$work/$name"
  while read -r tarball sum; do
    [ -f "$apt/download/$tarball" ] || fail "$tarball did not arrive: see $apt/$name.log"
    echo "$sum  $apt/download/$tarball" | sha256sum -c --quiet - || fail "$tarball is not the one pinned in $version"
    tar -xf "$apt/download/$tarball" -C "$work/$name"
  done < <(field tarball "$version")
  patched="$(field patches "$version")"
  if [ -n "$patched" ]; then
    while read -r patch; do
      case "$patch" in "" | \#*) continue ;; esac
      patch -d "$work/$name/$patched" -p1 -s --forward --no-backup-if-mismatch \
        <"$work/$name/debian/patches/$patch" || fail "Debian's $patch does not apply"
    done <"$work/$name/debian/patches/series"
  fi
  rm -rf "${dest:?}/$name"
  while read -r from to sum; do
    echo "$sum  $work/$name/$from" | sha256sum -c --quiet - || fail "$from is not the one pinned in $version"
    mkdir -p "$(dirname "$dest/$name/$to")"
    cp "$work/$name/$from" "$dest/$name/$to"
  done < <(field file "$version")
  rm -rf "${work:?}/$name"
done
echo "$want" >"$dest/.stamp"
