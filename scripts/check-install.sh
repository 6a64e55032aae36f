#!/usr/bin/env bash
# Installs the program from an existing build folder (scripts/test.sh makes build/)
# into a temporary prefix and checks it there as a desktop would meet it, then
# builds the Debian package and checks what it holds.
#   scripts/check-install.sh [BUILD-FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
id=de.aufkleberwerkbank.AufkleberWerkbank
type=application/x-aufkleber-etikett

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
prefix=$work/prefix
fail() { echo "check-install: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

echo "== installed files"
(cd "$prefix" && find . -type f | sort)

echo "== desktop entry, metainfo, manual page"
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$prefix/share/man/man1/aufkleber-werkbank.1.gz" 2>"$work/man.err" |
    grep -q -- "--thumbnail" || fail "the manual page lacks --thumbnail"
[ ! -s "$work/man.err" ] || { cat "$work/man.err"; fail "the manual page has faults"; }

echo "== file type"
export XDG_DATA_HOME=$work/empty XDG_DATA_DIRS=$prefix/share
update-mime-database "$prefix/share/mime"
labels=$work/labels
mkdir "$labels"
python3 tests/data/ettfile.py corpus "$labels" >/dev/null
cp "$labels/picture.ett" "$labels/ohne-endung"
for f in "$labels/picture.ett" "$labels/ohne-endung"; do
    got=$(gio info -a standard::content-type "$f" | sed -n 's/^ *standard::content-type: //p')
    [ "$got" = "$type" ] || fail "$f is $got, not $type"
    echo "$(basename "$f"): $got"
done

# The installed program runs as a user who cannot write to its folder (root can
# write anywhere, so root runs it as nobody): its files go to the per-user folder,
# and the sample pictures come with it, so the label's pictures are found.
chmod -R a+rX "$work"
chmod a-w "$prefix/bin"
home=$work/home
mkdir -p "$home/run"
chmod 700 "$home/run"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody "$home" "$labels"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
run() {
    env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/run" \
        XDG_DATA_DIRS="$XDG_DATA_DIRS" LANG=C.UTF-8 \
        "${as_user[@]}" "$@"
}

echo "== the installed program"
run "$prefix/bin/aufkleber-werkbank" --version
run "$prefix/bin/aufkleber-werkbank" --export-image "$labels/picture.ett" "$labels/export.bmp" \
    2>"$work/export.err"
! grep -q "Konnte Bild" "$work/export.err" || { cat "$work/export.err"; fail "pictures not found"; }
file "$labels/export.bmp" | grep -q "PC bitmap" || fail "no exported picture"
[ -f "$home/.local/share/aufkleber-werkbank/logo.jpg" ] || fail "no sample pictures in the user's folder"
# The thumbnailer's own command line, with its placeholders filled in.
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/thumbnailers/aufkleber-werkbank.thumbnailer")
read -r -a cmd <<<"$exec_line"
cmd=("${cmd[@]/#aufkleber-werkbank/$prefix/bin/aufkleber-werkbank}")
cmd=("${cmd[@]/#%i/$labels/ohne-endung}")
cmd=("${cmd[@]/#%o/$labels/thumb.png}")
cmd=("${cmd[@]/#%s/128}")
run "${cmd[@]}"
file "$labels/thumb.png" | grep -q "PNG image data, 128 x" || fail "no thumbnail: $(file "$labels/thumb.png")"
if run "$prefix/bin/aufkleber-werkbank" --thumbnail "$labels/noend.ett" "$labels/cut.png" 2>/dev/null; then
    fail "a cut label file gave a thumbnail"
fi
[ ! -e "$labels/cut.png" ] || fail "a cut label file left a thumbnail"

echo "== Debian package"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/aufkleber-werkbank_*.deb)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb" | tee "$work/contents"
for f in usr/bin/aufkleber-werkbank usr/share/applications/$id.desktop \
    usr/share/metainfo/$id.metainfo.xml usr/share/mime/packages/aufkleber-werkbank.xml \
    usr/share/thumbnailers/aufkleber-werkbank.thumbnailer \
    usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/icons/hicolor/48x48/apps/$id.png \
    usr/share/icons/hicolor/256x256/apps/$id.png usr/share/man/man1/aufkleber-werkbank.1.gz \
    usr/share/aufkleber-werkbank/logo.jpg usr/share/aufkleber-werkbank/hintergrund.jpg \
    usr/share/aufkleber-werkbank/label-stocks.csv usr/share/aufkleber-werkbank/label-stocks-NOTICE.txt; do
    grep -q " \./$f\$" "$work/contents" || fail "the package lacks $f"
done
depends=$(dpkg-deb --field "$deb" Depends)
for p in libqt6widgets6 libgraphicsmagick++-q16-12 qt6-translations-l10n fonts-liberation; do
    [[ "$depends" == *"$p"* ]] || fail "the package does not depend on $p"
done
unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
chmod -R a+rX "$unpacked"
run "$unpacked/usr/bin/aufkleber-werkbank" --version
run "$unpacked/usr/bin/aufkleber-werkbank" --thumbnail "$labels/picture.ett" "$labels/deb.png"
file "$labels/deb.png" | grep -q "PNG image data, 256 x" || fail "the packaged program wrote no thumbnail"
echo "check-install: all checks passed"
