#!/usr/bin/env bash
# Builds the Debian package from the build tree with CPack and reads it back:
# the files it installs and where, that the program is stripped and hardened,
# its licence, release notes and manual pages, its control fields and
# dependencies, that lintian finds no error and no warning in it, and that apt
# can install it on this Debian and on a machine that has nothing installed yet
# (a simulation against the archive).
# Usage: package_deb.sh BUILD_DIR
set -euo pipefail
build=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }
for tool in cpack dpkg-deb dpkg-shlibdeps dpkg-parsechangelog file objdump readelf lintian apt-get; do
  command -v "$tool" >/dev/null || fail "missing $tool"
done

work=$(mktemp -d /tmp/kirel-deb.XXXXXX)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
arch=$(dpkg --print-architecture)
deb=$work/kirel-editor_4.41~beta_${arch}.deb
[ -f "$deb" ] || { ls "$work"; fail "no package named $(basename "$deb")"; }
pass "built $(basename "$deb")"

# Files: everything under /usr, the program, its modules off the loader's path,
# the data, the desktop files; nothing of the build or of the guide's source.
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' >"$work/files"
grep -v '^/usr/' "$work/files" && fail "files outside /usr"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
id=jp.example.KirelEditor
for f in /usr/bin/kirel \
  "/usr/lib/$multiarch/kirel/kirelweb.so" "/usr/lib/$multiarch/kirel/kirelnet.so" \
  /usr/share/kirel/fonts.conf /usr/share/kirel/リファレンス.htm \
  /usr/share/kirel/images/pirumi.bmp /usr/share/kirel/images/topopo.bmp \
  /usr/share/kirel/images/kurotopo.bmp /usr/share/kirel/user/Background.jpg \
  "/usr/share/applications/$id.desktop" "/usr/share/metainfo/$id.metainfo.xml" \
  "/usr/share/icons/hicolor/scalable/apps/$id.svg" \
  /usr/share/doc/kirel-editor/copyright /usr/share/doc/kirel-editor/changelog.gz \
  /usr/share/man/man1/kirel.1.gz /usr/share/man/ja/man1/kirel.1.gz \
  /usr/share/lintian/overrides/kirel-editor; do
  grep -qxF "$f" "$work/files" || fail "missing $f"
done
for size in 16 22 24 32 48 64 128 256; do
  grep -qxF "/usr/share/icons/hicolor/${size}x${size}/apps/$id.png" "$work/files" ||
    fail "missing the ${size} px icon"
done
grep -E 'CMakeLists|stage\.cmake|/help/|\.utf8\.|_CPack' "$work/files" && fail "build files packaged"
grep -E '\.so' "$work/files" | grep -vE "/kirel/kirel(web|net)\.so$" && fail "a library on the loader's path"
pass "file list"

# Maintainer scripts are not needed: the module is not a library of the system.
dpkg-deb -e "$deb" "$work/control"
for s in preinst postinst prerm postrm; do
  [ -e "$work/control/$s" ] && fail "unexpected $s script"
done
dpkg-deb -x "$deb" "$work/root"
for f in usr/bin/kirel "usr/lib/$multiarch/kirel/kirelweb.so" "usr/lib/$multiarch/kirel/kirelnet.so"; do
  objdump -h "$work/root/$f" | grep -qE ' \.(debug_info|comment) ' && fail "$f is not stripped"
  # Full RELRO: the relocations are all made at start, then made read-only.
  readelf -lW "$work/root/$f" | grep -q GNU_RELRO || fail "$f has no RELRO segment"
  readelf -dW "$work/root/$f" | grep -qE 'FLAGS.*\bNOW\b' || fail "$f is not linked with -z now"
done
pass "no maintainer scripts, stripped and hardened binaries"

# The licence in Debian's machine-readable form; release notes whose newest
# entry is this version, as the metainfo's newest release is.
doc=$work/root/usr/share/doc/kirel-editor
head -n1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright is not in the machine-readable format"
grep -qx 'License: Expat' "$doc/copyright" || fail "copyright names no MIT (Expat) licence"
# The licence's own paragraph is the last one.
cmp -s <(tac "$doc/copyright" | sed '/^License: Expat$/q' | tac | tail -n +2 | sed 's/^ //; s/^\.$//') \
  <(sed -n '/^Permission/,$p' "$(dirname "$0")/../../LICENSE") ||
  fail "the licence text in copyright is not the one of LICENSE"
notes=$(zcat "$doc/changelog.gz" | dpkg-parsechangelog -l - -S Version) || fail "changelog.gz unreadable"
meta=$work/root/usr/share/metainfo/$id.metainfo.xml
newest=$(grep -m1 -o '<release version="[^"]*"' "$meta" | cut -d'"' -f2)
pass "copyright, release notes $notes"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kirel-editor ] || fail "Package: $(field Package)"
[ "$(field Version)" = "4.41~beta" ] || fail "Version: $(field Version)"
[ "$notes" = "$(field Version)" ] || fail "the release notes end at $notes"
[ "$newest" = "$(field Version)" ] || fail "the metainfo's newest release is $newest"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = editors ] || fail "Section: $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
size=$(field Installed-Size)
[[ "$size" =~ ^[0-9]+$ ]] && [ "$size" -lt 10240 ] || fail "Installed-Size: $size"
depends=$(field Depends)
# The Qt runtime and the web engine (read from the binaries), the fonts the
# program's font configuration maps the boards' fonts to and Qt's Japanese
# catalogue (named by the build).
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6webenginewidgets6 \
  libqt6webenginecore6 fonts-ipafont-gothic fonts-ipafont-mincho libglib2.0-bin \
  qt6-translations-l10n libstdc++6 libc6; do
  grep -qxF "$p" <<<"$names" || fail "Depends lacks $p: $depends"
done
# gio, which starts an external tool that is a desktop entry, comes with libglib2.0-bin.
dpkg-query -S /usr/bin/gio 2>/dev/null | grep -q '^libglib2.0-bin:' || fail "gio is not in libglib2.0-bin here"
for p in fonts-monapo qt6-wayland; do
  grep -qw "$p" <<<"$(field Recommends)" || fail "Recommends lacks $p: $(field Recommends)"
done
pass "control fields"
echo "Depends: $depends"
echo "Recommends: $(field Recommends)"
echo "Installed-Size: $size KiB; package file $(stat -c %s "$deb") bytes"

# lintian: no error and no warning. Its notes (info level) are shown too; the
# package's own overrides say why each overridden one is not a fault.
lintian --info --display-info --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log"; fail "lintian found errors or warnings"; }
cat "$work/lintian.log"
pass "lintian"

# apt can install it here, and on a machine with nothing installed: every
# dependency resolves from the archive.
if ! ls /var/lib/apt/lists/*_Packages* >/dev/null 2>&1; then
  echo "skipped: no apt package lists (run apt-get update) for the install simulation"
  exit 0
fi
apt-get install -s --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt cannot install the package here"; }
: >"$work/empty-status"
apt-get install -s --no-install-recommends -o Dir::State::status="$work/empty-status" "$deb" \
  >"$work/apt-fresh.log" 2>&1 || { tail -20 "$work/apt-fresh.log"; fail "apt cannot install it on a fresh machine"; }
grep -q '^Inst kirel-editor ' "$work/apt-fresh.log" || fail "the fresh simulation did not install it"
pass "apt installs it here and on a fresh machine ($(grep -c '^Inst ' "$work/apt-fresh.log") packages)"
