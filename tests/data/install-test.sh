#!/bin/sh
# Installs the build into a temporary DESTDIR with prefix /usr, checks that
# every file is where it belongs, that the desktop entry and the AppStream file
# are valid, that the newest release of the AppStream file and of NEWS is the
# program's version, and that the installed explorer finds its help page and
# starts with a list file named.
# Usage: install-test.sh CMAKE BUILD_DIR SOURCE_DIR WITH_EXPLORER(0|1) WITH_RENDER_MAN(0|1)
set -eu
cmake=$1 build=$2 source=$3 explorer=$4 render_man=$5
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT

DESTDIR=$dest "$cmake" --install "$build" --prefix /usr >/dev/null
usr=$dest/usr

status=0
need() {
    if [ ! -f "$usr/$1" ]; then
        echo "missing: /usr/$1"
        status=1
    fi
}
need bin/vistal-render
need share/doc/vistal/Help.html
need share/doc/vistal/Help.en.html
need share/applications/vistal.desktop
for size in 16 32 48 64 128 256; do
    need share/icons/hicolor/${size}x${size}/apps/vistal.png
done
need share/icons/hicolor/scalable/apps/vistal.svg
need share/mime/packages/vistal.xml
metainfo=share/metainfo/io.github.vistal.vistal.metainfo.xml
need $metainfo
need share/man/man1/vistal.1
need share/bash-completion/completions/vistal-render
# A distribution keeps the licence in its own copyright file.
[ ! -e "$usr/share/doc/vistal/LICENSE" ] || { echo "installed: /usr/share/doc/vistal/LICENSE"; status=1; }
[ "$explorer" = 1 ] && need bin/vistal && need share/vistal/translations/vistal_en.qm
[ "$render_man" = 1 ] && need share/man/man1/vistal-render.1

[ -x "$usr/bin/vistal-render" ] || { echo "not executable: /usr/bin/vistal-render"; status=1; }
"$usr/bin/vistal-render" --version | grep -q "GNU GPL version 3 or later" ||
    { echo "vistal-render --version names no licence"; status=1; }
for palette in sunset ocean ember moss nebula; do
    need share/vistal/palettes/$palette.vcp
    need share/vistal/palettes/$palette.map
done
# The installed renderer finds the installed palettes by name.
XDG_DATA_HOME=$dest/empty "$usr/bin/vistal-render" --palette list |
    grep -q "^ocean	$usr/share/vistal/palettes/ocean.vcp\$" ||
    { echo "vistal-render --palette list misses the installed palettes"; status=1; }
desktop-file-validate "$usr/share/applications/vistal.desktop" || status=1
appstreamcli validate --no-net "$usr/$metainfo" >"$dest/appstream.log" 2>&1 || { cat "$dest/appstream.log"; status=1; }
version=$("$usr/bin/vistal-render" --version | sed -n '1s/^vistal-render //p')
grep -m1 '<release ' "$usr/$metainfo" | grep -qF "version=\"$version\"" ||
    { echo "$metainfo: the newest release is not $version"; status=1; }
grep -m1 '^Version ' "$source/NEWS" | grep -qF "Version $version " ||
    { echo "NEWS: the newest version is not $version"; status=1; }

if [ "$explorer" = 1 ]; then
    "$usr/bin/vistal" --version | grep -q "^vistal $version\$" || { echo "vistal --version: no version"; status=1; }
    for page in ja:Help.html en:Help.en.html; do
        "$usr/bin/vistal" --lang "${page%%:*}" --help | grep -qF "$usr/share/doc/vistal/${page#*:}" ||
            { echo "vistal --help does not name the installed help page ${page#*:}"; status=1; }
    done
    # A list file on the command line (as the desktop entry passes one) must
    # not stop the window from starting: still running after two seconds.
    : >"$dest/list.vrp"
    rc=0
    XDG_CONFIG_HOME=$dest/config QT_QPA_PLATFORM=offscreen timeout 2 "$usr/bin/vistal" "$dest/list.vrp" \
        >"$dest/vistal.log" 2>&1 || rc=$?
    [ "$rc" = 124 ] || { echo "vistal FILE.vrp ended at start-up with status $rc:"; cat "$dest/vistal.log"; status=1; }
fi
exit $status
