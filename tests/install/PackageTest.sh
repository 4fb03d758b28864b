#!/usr/bin/env bash
# Builds the Debian package from the build into a temporary folder and checks what it holds and
# what it depends on, and that lintian finds nothing to say against it (no error, no warning).
# Usage: PackageTest.sh <build dir> <version> <program folder under the prefix> <ffmpeg>
set -euo pipefail
build=$1 version=$2 appdir=usr/$3 ffmpeg=$4

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/clipwright_"$version"_*.deb) || fail "no clipwright_${version}_*.deb"

info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb --contents "$deb")
echo "$info"
echo "$contents"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = clipwright ] || fail "package name"
[ "$(field Version)" = "$version" ] || fail "version is not the project's $version"
[ "$(field Section)" = video ] || fail "section"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
depends=$(field Depends)
for dep in 'libqt6core6' 'libqt6widgets6' 'libqt6gui6' 'libmpv2' 'ffmpeg'; do
  grep -Eq "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep: $depends"
done

# Paths in the data archive, without the leading "./", and where the links point.
paths=$(awk '{print $6}' <<<"$contents" | sed 's|^\./||')
has() { grep -qx "$1" <<<"$paths" || fail "the package lacks $1"; }
for f in "$appdir/clipwright" "$appdir/presets.xml" "$appdir/codecs.xml" "$appdir/Help.html" "$appdir/ffmpeg" \
  usr/bin/clipwright "$appdir/clipwright-cut" usr/bin/clipwright-cut usr/share/man/man1/clipwright-cut.1.gz \
  usr/share/applications/clipwright.desktop usr/share/metainfo/example.orvanta.Clipwright.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/clipwright.svg \
  usr/share/doc/clipwright/copyright usr/share/doc/clipwright/changelog.gz usr/share/man/man1/clipwright.1.gz; do
  has "$f"
done
for size in 16 32 48 64 128 256; do has "usr/share/icons/hicolor/${size}x${size}/apps/clipwright.png"; done
grep -Eq "\./usr/bin/clipwright-cut -> (\.\./)+${appdir#usr/}/clipwright-cut\$" <<<"$contents" || fail "usr/bin/clipwright-cut link"
grep -Eq "\./usr/bin/clipwright -> (\.\./)+${appdir#usr/}/clipwright\$" <<<"$contents" || fail "usr/bin/clipwright link"
# The encoder's link is relative (Debian's rule for a link inside /usr) and leads to the system's.
encoder=$(sed -nE "s|^.* \./$appdir/ffmpeg -> (.*)\$|\1|p" <<<"$contents")
[ -n "$encoder" ] || fail "no $appdir/ffmpeg link"
[[ $encoder != /* ]] || fail "$appdir/ffmpeg is an absolute link: $encoder"
[ "$(realpath -m "/$appdir/$encoder")" = "$(realpath -m "$ffmpeg")" ] || fail "$appdir/ffmpeg -> $encoder is not $ffmpeg"
if grep -Eiq 'test|bench|gtest|gmock' <<<"$paths"; then fail "test or benchmark files in the package"; fi
# The whole of lintian's word, then the verdict: no error and no warning.
command -v lintian >/dev/null || fail "lintian is needed: bash scripts/install-deps.sh"
lintian --fail-on none "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log" >&2; fail "lintian did not run"; }
echo "lintian $(lintian --version | awk '{print $2}'):"
cat "$work/lintian.log"
errors=$(grep -c '^E: ' "$work/lintian.log" || true)
warnings=$(grep -c '^W: ' "$work/lintian.log" || true)
echo "lintian: $errors errors, $warnings warnings"
[ "$errors" -eq 0 ] && [ "$warnings" -eq 0 ] || fail "lintian: $errors errors, $warnings warnings"
echo "package ok: $(basename "$deb")"
