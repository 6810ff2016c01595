#!/usr/bin/env bash
# Japanese input with a real input method (fcitx5 with Mozc):
#  - the read-only quote pane takes no input-method text: "nihongo", Space,
#    Return typed into it leave it empty (Esc in the edit pane then has nothing
#    to quote), while the same keys in the edit pane write "日本語";
#  - input-method text is plain black like typed keys: written at the start of a
#    quote line whose mark is red, it is not red.
#  - digits typed with the input method on (Mozc's full-width "１２") into board
#    2's limit in the preferences are saved as 12, the limit the counter uses
#    once board 2 is chosen.
# Mozc's server refuses to run as root, so the input-method part runs as an
# unprivileged user ("kirel-ime", created here when the test runs as root),
# inside its own session bus.
set -euo pipefail
source "$E2E_LIB"

for tool in fcitx5 dbus-run-session fcitx5-remote; do
  command -v "$tool" >/dev/null || fail "missing $tool (scripts/setup.sh installs it)"
done
[ -x /usr/lib/mozc/mozc_server ] || fail "missing Mozc (fcitx5-mozc)"

if [ "$(id -u)" -eq 0 ]; then
  user=kirel-ime
  id "$user" >/dev/null 2>&1 ||
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$user"
  as_user() { runuser -u "$user" -- "$@"; }
else
  user=$(id -un)
  as_user() { "$@"; }
fi

# A folder of the user's own: the program folder, its home, its runtime folder.
ime=$(mktemp -d /tmp/kirel-ime.XXXXXX)
token=kirel-ime-$$-$RANDOM
end_user_processes() {
  # Every process of this run carries the token in its environment (fcitx5
  # starts Mozc's server detached from it): those, and only those, are ended.
  local p
  for p in /proc/[0-9]*; do
    { tr '\0' '\n' <"$p/environ"; } 2>/dev/null | grep -qx "KIREL_IME_RUN=$token" &&
      kill "${p#/proc/}" 2>/dev/null || true
  done
  rm -rf "$ime"
}
trap end_user_processes EXIT
cp -a "$E2E_APPDIR" "$ime/Kirel"
mkdir -p "$ime/home/.config/fcitx5" "$ime/runtime" "$ime/out"
chmod 700 "$ime/runtime"
cat >"$ime/home/.config/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
PROFILE
printf '[Form10]\r\nInyoColor=1\r\nInyoItalic=1\r\n' >"$ime/Kirel/Kirel.ini"
cp "$(dirname "$E2E_LIB")/ime_session.sh" "$ime/session.sh"
cp "$E2E_LIB" "$ime/lib.sh"
[ "$(id -u)" -eq 0 ] && chown -R "$user" "$ime"
chmod 755 "$ime"

rc=0
as_user env -i PATH="$PATH" DISPLAY="$DISPLAY" HOME="$ime/home" XDG_RUNTIME_DIR="$ime/runtime" \
  LANG=C.UTF-8 KIREL_IME_RUN="$token" IME_DIR="$ime" \
  dbus-run-session -- bash "$ime/session.sh" || rc=$?
cp "$ime"/out/* "$E2E_OUT"/ 2>/dev/null || true
exit "$rc"
