#!/usr/bin/env bash
# Builds the Debian package from this build and checks what it holds: the file name, the
# control fields (every linked library's package named in Depends, and the run-time ones), the
# installed paths, the programs' RUNPATH and that every library they need resolves from the
# unpacked tree; then the programs run from that tree (run_from_package.sh).
#   check_package.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
deb=$work/out/tessaly_${version}_amd64.deb
[ -f "$deb" ] || { ls "$work/out"; echo "FAIL: no $(basename "$deb")"; exit 1; }

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tessaly ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = amd64 ] || fail "Architecture is '$(field Architecture)'"
depends=$(field Depends)
# Package names in Depends, without versions and alternatives' separators.
depends_names=" $(echo "$depends" | tr ',|' '\n\n' | sed 's/(.*)//; s/ //g' | tr '\n' ' ') "
# Loaded or used at run time only (the linked libraries are checked below, from the binaries).
for needed in libqt5sql5-sqlite fonts-wqy-microhei xdg-utils; do
    [[ $depends_names == *" $needed "* ]] || fail "Depends does not name $needed: $depends"
done

# Contents.
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|; s|/$||' >"$work/contents"
for path in /usr/bin/tessaly /usr/bin/tessaly-cli /usr/bin/plate-sim /usr/bin/pladex-monitor \
    /usr/lib/tessaly/libPladex.so /usr/lib/tessaly/libTavlo.so /usr/lib/tessaly/libVXMATHIN.so \
    /usr/share/tessaly/Config_Color.ini /usr/share/tessaly/ConfigReport.ini \
    /usr/share/tessaly/images/logo.png /usr/share/tessaly/images/companylogo.png \
    /usr/share/tessaly/images/shape-of-left-foot.png /usr/share/tessaly/Images \
    /usr/share/tessaly/libGridoraRes/Font.bmp /usr/share/tessaly/libGridoraRes/Image.bmp \
    /usr/share/tessaly/libGridoraRes/configIcon.bmp \
    /usr/share/applications/com.veltrix_medical.tessaly.desktop \
    /usr/share/mime/packages/com.veltrix_medical.tessaly.xml \
    /usr/share/metainfo/com.veltrix_medical.tessaly.metainfo.xml; do
    grep -qx "$path" "$work/contents" || fail "$path is not in the package"
done
# Nothing outside /usr, and nothing a run of the program or of the tests leaves in the build.
stray=$(grep -v -x -e / -e /usr -e '/usr/.*' "$work/contents" || true)
[ -z "$stray" ] || fail "outside /usr: $stray"
stray=$(grep -E '/(data|dataReports|cache)(/|$)|\.db$|ConfigUserInfo\.ini|/Tessaly$|\.gitkeep' \
    "$work/contents" || true)
[ -z "$stray" ] || fail "not to be packaged: $stray"

dpkg-deb -x "$deb" "$work/root"
root=$work/root

# Icons, each of its folder's size (width and height from the PNG header).
for size in 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/com.veltrix_medical.tessaly.png
    if [ ! -f "$icon" ]; then
        fail "no ${size} px icon"
        continue
    fi
    read -r w0 w1 w2 w3 h0 h1 h2 h3 < <(od -An -tu1 -j16 -N8 "$icon")
    width=$(((w0 << 24) | (w1 << 16) | (w2 << 8) | w3))
    height=$(((h0 << 24) | (h1 << 16) | (h2 << 8) | h3))
    [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
        fail "the ${size} px icon is ${width}x${height}"
done

# The programs find the libraries through RUNPATH; everything they need resolves, and every
# system library they link comes from a package named in Depends.
owner() {
    local file
    file=$(readlink -f "$1")
    dpkg -S "$file" 2>/dev/null || dpkg -S "${file#/usr}" 2>/dev/null || true
}
for program in tessaly tessaly-cli plate-sim pladex-monitor; do
    binary=$root/usr/bin/$program
    runpath=$(readelf -d "$binary" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
    [ "$runpath" = '$ORIGIN/../lib/tessaly' ] || fail "$program has RUNPATH '$runpath'"
    readelf -d "$binary" | grep -q '(RPATH)' && fail "$program has an RPATH besides RUNPATH"
done
for binary in "$root"/usr/bin/* "$root"/usr/lib/tessaly/*.so; do
    ldd_out=$(env -u LD_LIBRARY_PATH ldd "$binary")
    grep -q 'not found' <<<"$ldd_out" && fail "$(basename "$binary"): $(grep 'not found' <<<"$ldd_out")"
    for lib in $(readelf -d "$binary" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        resolved=$(awk -v lib="$lib" '$1 == lib && $2 == "=>" { print $3 }' <<<"$ldd_out")
        [ -n "$resolved" ] || continue
        [[ $resolved == "$root"/* ]] && continue
        package=$(owner "$resolved" | head -n 1 | cut -d: -f1)
        [ -n "$package" ] || { fail "no package owns $resolved"; continue; }
        [[ $depends_names == *" $package "* ]] ||
            fail "$(basename "$binary") links $lib of $package, which Depends does not name"
    done
done

# The programs run from the unpacked tree, read-only, as from /usr, writing only to HOME.
bash "$(dirname "$0")/run_from_package.sh" "$work/root" || fail "running from the unpacked package"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; Depends: $depends"
    exit 1
fi
echo "tessaly_${version}_amd64.deb: $(wc -l <"$work/contents") entries, Depends: $depends"
