#!/usr/bin/env bash
# Installs the build given as the first argument into a temporary folder, checks that every
# file a desktop and a terminal need is there and valid, then builds the Debian package,
# checks that it holds the same files and that lintian finds nothing wrong. Run by CTest.
# The README's own build/ is built and installed by the README's steps, in its order.
set -euo pipefail
build=$(realpath "$1")
window_dir=$2 # the window module's folder below the prefix
hardened=${3:-} # "hardened": an optimised build, which must pass hardening-check
source_dir=$(cd "$(dirname "$0")/.." && pwd -P)
work=$(mktemp -d)
# Both installs here, ours and cpack's, write the build's manifest, which the README's
# uninstall reads: the one of the user's own install is put back.
manifest=$build/install_manifest.txt
[ ! -e "$manifest" ] || cp -p "$manifest" "$work/manifest"
restore() {
    if [ -e "$work/manifest" ]; then mv "$work/manifest" "$manifest"; else rm -f "$manifest"; fi
    rm -rf "$work"
}
trap restore EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

id=test.dentarola.Interasse
# Below the prefix, that of the build (the README's /usr/local) or the package's /usr.
expected=(
    bin/interasse
    "$window_dir/libinterasse_window.so"
    "$window_dir/libinterasse_designer.so"
    "share/applications/$id.desktop"
    "share/applications/$id.Designer.desktop"
    "share/metainfo/$id.metainfo.xml"
    "share/mime/packages/$id.xml"
    share/doc/interasse/copyright
    share/doc/interasse/changelog.gz
    share/man/man1/interasse.1.gz
    share/bash-completion/completions/interasse
)
for size in 16 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png"
               "share/icons/hicolor/${size}x${size}/apps/$id.Designer.png")
done

if [ "$build" = "$source_dir/build" ]; then
    # Without a desktop, run.sh builds, says so and ends with status 1; a desktop's variables
    # would have it start the window and wait for it.
    status=0
    built=$(cd "$source_dir" && env -u DISPLAY -u WAYLAND_DISPLAY bash scripts/run.sh 2>&1) ||
        status=$?
    [ "$status" -eq 1 ] && [[ "$built" == *"Interasse is built"* ]] ||
        fail "bash scripts/run.sh ended with status $status:"$'\n'"$(tail -n 20 <<<"$built")"
    (cd "$source_dir" && DESTDIR="$work/root" cmake --install build >/dev/null) ||
        fail "cmake --install build, after bash scripts/run.sh"
else
    DESTDIR="$work/root" cmake --install "$build" >/dev/null || fail "cmake --install $build"
fi
prefix=$(sed -n 's|^CMAKE_INSTALL_PREFIX:PATH=||p' "$build/CMakeCache.txt")
root=$work/root$prefix
for file in "${expected[@]}"; do
    [ -f "$root/$file" ] || fail "not installed: $prefix/$file"
done
installed=$(cd "$work/root" && find . -type f | sed "s|^\./${prefix#/}/||" | sort)
[ "$installed" = "$(printf '%s\n' "${expected[@]}" | sort)" ] ||
    fail "installed files differ from the expected ones below $prefix:"$'\n'"$installed"

# Each entry, its command and its own icon: the window, and the designer's window.
for entry in "$id|interasse" "$id.Designer|interasse --design %f"; do
    name=${entry%%|*} command=${entry#*|}
    desktop-file-validate "$root/share/applications/$name.desktop"
    grep -qx "Exec=$command" "$root/share/applications/$name.desktop" || fail "Exec of $name"
    grep -qx "Icon=$name" "$root/share/applications/$name.desktop" || fail "Icon of $name"
    grep -qx "  <launchable type=\"desktop-id\">$name.desktop</launchable>" \
        "$root/share/metainfo/$id.metainfo.xml" || fail "no launchable for $name"
done
# A layout's file, double-clicked, opens in the designer's window: the entry takes the type,
# and the installed type, once in a MIME database (a copy: the tree stays as installed), is
# what a file manager finds for a .trasmissione file.
type=application/x-interasse-trasmissione
grep -qx "MimeType=$type;" "$root/share/applications/$id.Designer.desktop" ||
    fail "the designer's entry takes no $type"
mkdir -p "$work/mime/mime/packages" && printf 'profilo GT2\n' >"$work/a.trasmissione"
cp "$root/share/mime/packages/$id.xml" "$work/mime/mime/packages/"
XDG_DATA_HOME=$work/mime update-mime-database "$work/mime/mime"
found=$(XDG_DATA_HOME=$work/mime XDG_DATA_DIRS=/usr/share \
    gio info -a standard::content-type "$work/a.trasmissione")
[[ $found == *"standard::content-type: $type" ]] || fail "a .trasmissione file is not $type: $found"
appstreamcli validate --no-net --pedantic "$root/share/metainfo/$id.metainfo.xml" >/dev/null ||
    appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml"
program=$root/bin/interasse
[ "$("$program" --version)" = "Interasse 1.00" ] || fail "--version"
# Without arguments it finds its window where it was installed, and runs it until stopped.
for arguments in "" --design "--design $work/a.trasmissione"; do
    status=0
    QT_QPA_PLATFORM=offscreen timeout 3 "$program" $arguments || status=$?
    [ "$status" -eq 124 ] ||
        fail "the installed program did not open its window $arguments (status $status)"
done

# Optimised builds are hardened as Debian's own programs: Debian 12's start files carry no CET
# marking, and a module with no call that glibc can check says "only unprotected functions"
# whatever its flags.
[ -z "$hardened" ] || hardening-check --nocfprotection "$program" >/dev/null ||
    fail "hardening:"$'\n'"$(hardening-check --nocfprotection "$program")"
for module in "$root/$window_dir"/libinterasse_{window,designer}.so; do
    [ -z "$hardened" ] || hardening-check --nocfprotection --nofortify "$module" >/dev/null ||
        fail "hardening of $module:"$'\n'"$(hardening-check --nocfprotection --nofortify \
        "$module")"
    # Each module's one door: its entry point is all that it exports.
    exports=$(nm -D --defined-only "$module" | awk '{ print $3 }')
    [ "$exports" = interasseWindowMain ] || fail "$module exports:"$'\n'"$exports"
done

# Width and height are the big-endian words at bytes 16 and 20 of a PNG file.
for png in "$root"/share/icons/hicolor/*/apps/*.png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    size=${size%%x*}
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
    [ "$width x $height" = "$size x $size" ] || fail "$png is $width x $height"
done

# The manual page renders cleanly and knows every option and profile that the program does.
manual=$root/share/man/man1/interasse.1.gz
warnings=$(MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man page: $warnings"
page=$(MANWIDTH=200 man -l "$manual" 2>/dev/null)
profiles=$("$program" --profiles | awk 'NR > 1 { print $1 }')
for option in $("$program" --help | grep -oE -- '--[a-z]+' | sort -u) $profiles; do
    grep -qF -- "$option" <<<"$page" || fail "the man page lacks $option"
done

# The completion offers the options and, after -p, the profiles.
completion=$root/share/bash-completion/completions/interasse
complete_words() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _interasse
             printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$@"
}
[ "$(complete_words interasse --pro | sort | xargs)" = "--profile --profiles" ] ||
    fail "completing --pro: $(complete_words interasse --pro | xargs)"
[ "$(complete_words interasse 36 14 -p X | xargs)" = "XL XL037 XH XXH" ] ||
    fail "completing -p X: $(complete_words interasse 36 14 -p X | xargs)"
for profile in $profiles; do
    # Whole outputs compared, never piped into grep -q: under pipefail a writer that grep
    # left behind dies of SIGPIPE and fails the test by chance.
    grep -qx -- "$profile" <<<"$(complete_words interasse -p "$profile")" ||
        fail "completion lacks $profile"
done

# Removing what the manifest lists, and the two folders of ours, leaves no empty folder.
(cd "$work/root" && sed 's|^/||' "$manifest" | xargs rm)
rmdir "$root/share/doc/interasse" "$root/$window_dir"
[ -z "$(find "$work/root" -name '*interasse*')" ] ||
    fail "left behind: $(find "$work/root" -name '*interasse*')"

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null)
package=$(ls "$work"/package/interasse_1.00_*.deb)
packaged=$(dpkg-deb --fsys-tarfile "$package" | tar -t | grep -v '/$' | sed 's|^\./usr/||' | sort)
[ "$packaged" = "$installed" ] || fail "the package holds other files:"$'\n'"$packaged"
depends=$(dpkg-deb --field "$package" Depends)
for needed in libqt6widgets6 libc6 fonts-liberation qt6-translations-l10n; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

# lintian: no error and no warning; the informational tags left are explained in the README.
tags=$(lintian --allow-root "$package" 2>&1 | grep -E '^[EW]: ' || true)
[ -z "$tags" ] || fail "lintian:"$'\n'"$tags"
echo "installed and packaged: ${#expected[@]} files; Depends: $depends"
