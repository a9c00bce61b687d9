#!/usr/bin/env bash
# The installed layout: "cmake --install" into a temporary prefix puts both
# programs into bin/ with the desktop entry, icon and MIME type, the desktop
# entry and MIME types are accepted by the freedesktop tools (the entry opens
# .jww and .sfc files), the installed front-end converts a drawing with the
# installed worker, whose image codec turns the drawing's PNG picture into a
# JPEG beside the output, and renders the output as PNG and PDF without a
# display.
# Usage: install_check.sh BUILD_DIR MAKEDEMO
set -euo pipefail
build=$1
makedemo=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A tool missing here is a check that did not run: fatal on CI.
need() {
  command -v "$1" >/dev/null && return 0
  echo "$1 not found: $2 not checked" >&2
  [ -z "${CI:-}" ] || exit 1
  return 1
}

cmake --install "$build" --prefix "$tmp/usr" >/dev/null
for f in bin/Kestrune bin/Ondrelle share/applications/kestrune.desktop \
         share/icons/hicolor/scalable/apps/kestrune.svg share/mime/packages/kestrune-jww.xml \
         share/mime/packages/kestrune-sfc.xml; do
  [ -e "$tmp/usr/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done

if need desktop-file-validate "the desktop entry"; then
  desktop-file-validate "$tmp/usr/share/applications/kestrune.desktop"
fi
grep -q '^MimeType=.*application/x-sxf-sfc;application/x-sxf-p21;' "$tmp/usr/share/applications/kestrune.desktop"
if need update-mime-database "the MIME type"; then
  update-mime-database "$tmp/usr/share/mime"
  grep -q 'pattern="\*.jww"' "$tmp/usr/share/mime/application/x-jww.xml"
  grep -q 'pattern="\*.sfc"' "$tmp/usr/share/mime/application/x-sxf-sfc.xml"
  grep -q 'pattern="\*.p21"' "$tmp/usr/share/mime/application/x-sxf-p21.xml"
fi

# Qt's image stack is loaded only for drawings with pictures: starting it
# with every worker would double the time of a batch of small drawings.
if ldd "$tmp/usr/bin/Ondrelle" | grep -q 'libQt6Gui'; then
  echo "the worker links Qt Gui: it belongs in the image codec alone" >&2
  exit 1
fi

"$makedemo" "$tmp/demo.jww"
# A 1 x 1 PNG.
base64 -d >"$tmp/photo.png" <<<'iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR42mP4z8AAAAMBAQD3A0FDAAAAAElFTkSuQmCC'
"$makedemo" "$tmp/photo.jww" "$tmp/photo.png"
mkdir "$tmp/out" "$tmp/home"
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" XDG_CACHE_HOME="$tmp/home/.cache"
export QT_QPA_PLATFORM=no-such-platform  # the batch needs no display
"$tmp/usr/bin/Kestrune" --batch --out "$tmp/out" "$tmp/demo.jww" "$tmp/photo.jww"
head -c 14 "$tmp/out/demo.sfc" | grep -q '^ISO-10303-21;'
if ! grep -q 'photo.jpg' "$tmp/out/photo.sfc" ||
   [ "$(head -c 3 "$tmp/out/photo.jpg" | od -An -tx1 | tr -d ' ')" != ffd8ff ]; then
  echo "the installed worker left the picture out: is its image codec installed?" >&2
  exit 1
fi
"$tmp/usr/bin/Kestrune" --render "$tmp/out/demo.sfc" "$tmp/out/demo.png" --width 300
"$tmp/usr/bin/Kestrune" --render "$tmp/out/demo.sfc" "$tmp/out/demo.pdf"
[ "$(head -c 4 "$tmp/out/demo.png" | od -An -tx1 | tr -d ' ')" = 89504e47 ]
head -c 5 "$tmp/out/demo.pdf" | grep -q '^%PDF-'
[ "$("$tmp/usr/bin/Kestrune" --version)" = "Kestrune 1.10" ]
echo "installed layout converts and renders"
