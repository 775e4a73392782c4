#!/usr/bin/env bash
# Installs the build given as the only argument into a temporary folder, checks that every
# file a desktop needs is there and valid, then builds the Debian package and checks that it
# holds the same files. Run by CTest.
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

id=test.dentarola.Interasse
expected=(
    usr/bin/interasse
    "usr/share/applications/$id.desktop"
    "usr/share/metainfo/$id.metainfo.xml"
    usr/share/doc/interasse/LICENSE
)
for size in 16 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
root=$work/root
for file in "${expected[@]}"; do
    [ -f "$root/$file" ] || fail "not installed: $file"
done
installed=$(cd "$root" && find . -type f | sed 's|^\./||' | sort)
[ "$installed" = "$(printf '%s\n' "${expected[@]}" | sort)" ] ||
    fail "installed files differ from the expected ones:"$'\n'"$installed"

desktop-file-validate "$root/usr/share/applications/$id.desktop"
grep -qx "Exec=interasse" "$root/usr/share/applications/$id.desktop" || fail "Exec"
grep -qx "Icon=$id" "$root/usr/share/applications/$id.desktop" || fail "Icon"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
    appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"
"$root/usr/bin/interasse" --version | grep -qx "Interasse 1.00" || fail "--version"

# Width and height are the big-endian words at bytes 16 and 20 of a PNG file.
for size in 16 32 48 64 128 256; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
    [ "$width x $height" = "$size x $size" ] || fail "$png is $width x $height"
done

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null)
package=$(ls "$work"/package/interasse_1.00_*.deb)
packaged=$(dpkg-deb --fsys-tarfile "$package" | tar -t | grep -v '/$' | sed 's|^\./||' | sort)
[ "$packaged" = "$installed" ] || fail "the package holds other files:"$'\n'"$packaged"
depends=$(dpkg-deb --field "$package" Depends)
for needed in libqt6widgets6 libc6 fonts-liberation qt6-translations-l10n; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
echo "installed and packaged: ${#expected[@]} files; Depends: $depends"
