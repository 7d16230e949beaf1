#!/bin/bash
# Installs the build into a temporary DESTDIR with the prefix /usr, checks every file a desktop
# needs (and the desktop's own validators on them), then uninstalls and checks nothing is left.
#   install-test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source=$1 build=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage" "$stage.manifest" "$stage.mime"' EXIT
passed=0 failures=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then echo "ok: $1"; passed=$((passed + 1)); else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
sed "s|^|$stage|" "$build/install_manifest.txt" >"$stage.manifest"
root=$stage/usr
share=$root/share

for file in bin/fretlo bin/fretlo-tool bin/fretlo-midi-import libexec/fretlo/fretlo-tool-media "share/fretlo/Demo Songs/Demo.frl" "share/fretlo/Demo Songs/Drum Demo.frl" \
    share/fretlo/help/index.html share/fretlo/install-time share/applications/fretlo.desktop \
    share/mime/packages/fretlo.xml share/icons/hicolor/scalable/apps/fretlo.svg share/metainfo/fretlo.metainfo.xml; do
    check "installed $file" test -s "$root/$file"
done
check "programs are executable" test -x "$root/bin/fretlo" -a -x "$root/bin/fretlo-tool" -a -x "$root/bin/fretlo-midi-import"

entry=$share/applications/fretlo.desktop
check "desktop entry runs the installed program" grep -qx 'Exec=/usr/bin/fretlo %f' "$entry"
for line in 'Name=Fretlo' 'Categories=AudioVideo;Audio;Music;' 'MimeType=application/x-fretlo-tablature;' \
    'Icon=fretlo' 'Type=Application'; do
    check "desktop entry has $line" grep -qx "$line" "$entry"
done
check "desktop entry has a comment" grep -q '^Comment=.' "$entry"
check "desktop-file-validate" desktop-file-validate "$entry"
check "appstreamcli validate" appstreamcli validate --no-net --pedantic "$share/metainfo/fretlo.metainfo.xml"
check "metainfo launches the desktop entry" grep -q '<launchable type="desktop-id">fretlo.desktop</launchable>' \
    "$share/metainfo/fretlo.metainfo.xml"

mime=$share/mime/packages/fretlo.xml
check "MIME package declares the song type" grep -q '<mime-type type="application/x-fretlo-tablature">' "$mime"
check "MIME package globs *.frl" grep -q '<glob pattern="\*.frl"/>' "$mime"
check "MIME package comment" grep -q '<comment>Fretlo Tablature</comment>' "$mime"
# The database is built in a copy: the installed tree holds only what the installation put there.
cp -r "$share/mime" "$stage.mime"
check "MIME database builds from it" update-mime-database "$stage.mime" 2>/dev/null
check "the database knows the type" test -s "$stage.mime/application/x-fretlo-tablature.xml"
rm -rf "$stage.mime"
check "icon is an SVG drawing" grep -q '<svg ' "$share/icons/hicolor/scalable/apps/fretlo.svg"

stamp=$share/fretlo/install-time
check "install stamp has 8 bytes" test "$(stat -c %s "$stamp")" -eq 8
# 100 ns steps since 1601: within a day of now.
steps=$(od -An -t u8 --endian=little "$stamp" | tr -d ' ')
now=$(( ($(date +%s) + 11644473600) * 10000000 ))
check "install stamp is the installation's time" test $(( now - steps < 864000000000 && steps - now < 864000000000 )) -eq 1

cmake -DMANIFEST="$stage.manifest" -DSTAGED=ON -P "$source/cmake/Uninstall.cmake" >/dev/null
rm -f "$stage.manifest"
left=$(find "$stage" -type f)
check "uninstall removes every file" test -z "$left"
check "uninstall removes Fretlo's data folder" test ! -e "$share/fretlo"

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
