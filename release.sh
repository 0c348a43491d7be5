#!/usr/bin/env bash
# Makes a release from the committed sources: runs every test and the check that a second
# build gives the same program, builds both programs with optimisation, and writes
# dist/vorlax-<version>-win64.zip and dist/SHA256SUMS, the same bytes wherever and by
# whomever it is run.
#   VORLAX_HOME_PAGE=https://... ./release.sh
set -u
cd "$(dirname "$0")"
root=$(pwd)

refuse() {
  echo "release.sh: $*" >&2
  exit 1
}

[ -n "${VORLAX_HOME_PAGE:-}" ] || refuse "VORLAX_HOME_PAGE is not set. It is the address that the" \
  "program's help image opens, the page where this release will be published, and only you know" \
  "it. Run: VORLAX_HOME_PAGE=https://... ./release.sh"
git rev-parse --git-dir >/dev/null 2>&1 || refuse "this is not a git checkout; a release is made from a commit."
[ -z "$(git status --porcelain)" ] || refuse "the checkout has changes that are not committed; a release" \
  "is built from a commit alone, so that anyone can rebuild the same bytes from it. Commit or stash them."

. tools/prerequisites.sh
vorlax_install_prerequisites || refuse "could not install the prerequisites"

# Everything dated in the release takes the commit's date, so that it does not depend on
# when the release is made; and the zip records times and permissions as set here.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
umask 022
unset ZIPOPT

./test.sh || refuse "the tests failed; no release."
ctest --preset release || refuse "the program built a second time, from a copy of the sources elsewhere, differs;" \
  "no release."

build="$root/build/release"
rm -rf "$build"
mkdir -p "$build"
{ cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release "-DVORLAX_HOME_PAGE=$VORLAX_HOME_PAGE" \
  && cmake --build "$build" --target vorlax vorlax-fr; } >"$build/build.log" 2>&1 \
  || { cat "$build/build.log"; refuse "the release build failed"; }

version=$(cat "$build/vorlax-version.txt")
grep -q "^## \[$version\]" CHANGELOG.md || refuse "CHANGELOG.md has no entry \"## [$version]\" for this version."

# The user's part of README.md as plain text for Notepad: the introduction and the named
# sections, without pictures or Markdown marks, and the address this release opens.
readme_text() {
  awk -v sections="|Download|Using it on Windows|On Windows|What a run does|" '
    /^## / { title = substr($0, 4); keep = index(sections, "|" title "|") > 0
             if (keep) { found[title] = 1; print title; gsub(/./, "-", title); print title; last = title }
             next }
    /^# / { title = substr($0, 3); keep = 1; print title; gsub(/./, "=", title); print title; last = title
            next }
    /^!\[/ { next }
    keep { gsub(/`/, ""); if ($0 != "" || last != "") print; last = $0 }
    END { n = split(sections, wanted, "|")
          for (i = 1; i <= n; i++) if (wanted[i] != "" && !(wanted[i] in found)) {
            print "README.md has no section " wanted[i] > "/dev/stderr"; exit 1 } }
  ' README.md || return 1
  printf 'Home page\n---------\n\nThe blue question mark opens the page where this release is published:\n\n    %s\n' \
    "$VORLAX_HOME_PAGE"
}

# Plain ASCII with CR LF line ends reads the same in every Notepad.
with_crlf() {
  if LC_ALL=C grep -q '[^[:print:][:space:]]' "$1"; then
    echo "$1 is not plain ASCII" >&2
    return 1
  fi
  sed -e 's/\r$//' -e 's/$/\r/' "$1"
}

package="$build/package"
mkdir -p "$package"
cp "$build/vorlax.exe" "$build/vorlax-fr.exe" "$package/"
readme_text >"$build/README.user" || refuse "README.txt could not be made"
sed -i "s/<version>/$version/g" "$build/README.user"
with_crlf "$build/README.user" >"$package/README.txt" && with_crlf LICENSE >"$package/LICENSE.txt" \
  && with_crlf CHANGELOG.md >"$package/CHANGELOG.txt" || refuse "the text files could not be made"

names=(CHANGELOG.txt LICENSE.txt README.txt vorlax-fr.exe vorlax.exe)
chmod 0644 "${names[@]/#/$package/}"
TZ=UTC touch -d "@$SOURCE_DATE_EPOCH" "${names[@]/#/$package/}"

zip_name="vorlax-$version-win64.zip"
rm -rf dist
mkdir dist
# In the zip: no extra fields (owners, finer times), no folder entries, names in a fixed
# order, and times in UTC whatever the zone of the machine.
(cd "$package" && TZ=UTC zip -X -D -q "$root/dist/$zip_name" "${names[@]}") || refuse "zip failed"
{ (cd dist && sha256sum "$zip_name") && (cd "$package" && sha256sum vorlax.exe vorlax-fr.exe); } >dist/SHA256SUMS

# A last look as a user would check it: unzipped beside the sums, every line must be OK.
check="$build/check"
mkdir -p "$check"
cp "dist/$zip_name" dist/SHA256SUMS "$check/"
(cd "$check" && unzip -q "$zip_name" && sha256sum -c SHA256SUMS) || refuse "the zip does not match SHA256SUMS"

echo
zipinfo "dist/$zip_name"
echo
cat dist/SHA256SUMS
echo "release.sh: VORLAX $version for $VORLAX_HOME_PAGE is in $root/dist"
