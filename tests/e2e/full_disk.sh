#!/usr/bin/env bash
# A full disk under the program folder: Ctrl+E must report that "backup.txt"
# cannot be written and keep the previous one, and the settings written at
# shut-down must leave "Kirel.ini" as it was, with a message. The program runs
# from a small tmpfs mounted here, which needs root (skipped otherwise).
source "$E2E_LIB"

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: mounting a small tmpfs needs root; the full-disk end-to-end test did not run"
  exit 77
fi

: >"$E2E_OUT/kirel.log"
mnt=$PWD/full
mkdir -p "$mnt"
# Room for the program and its data (not the browser module), plus a little.
kb=$(du -sk --exclude=kirelweb.so "$E2E_APPDIR" | cut -f1)
mount -t tmpfs -o size=$((kb + 2048))k tmpfs "$mnt" || {
  echo "SKIP: cannot mount a tmpfs here; the full-disk end-to-end test did not run"
  exit 77
}
unmount() {
  [ -n "${KIREL_PID:-}" ] && kill -9 "$KIREL_PID" 2>/dev/null || true
  umount -l "$mnt" 2>/dev/null || true
}
trap unmount EXIT
mkdir "$mnt/Kirel"
(cd "$E2E_APPDIR" && tar cf - --exclude=./kirelweb.so .) | (cd "$mnt/Kirel" && tar xf -)
E2E_APPDIR=$mnt/Kirel
E2E_KIREL=$E2E_APPDIR/kirel

# Settings of a long-used program: many sections, about 14 KB.
{
  printf '[Form1]\r\nForm1Top=100\r\nForm1Left=50\r\nForm1Height=402\r\nForm1Width=623\r\n'
  for s in $(seq 2 40); do
    printf '[Extra%d]\r\n' "$s"
    for k in $(seq 1 12); do printf 'Key%d=value %d of section %d\r\n' "$k" "$k" "$s"; done
  done
} >"$E2E_APPDIR/Kirel.ini"
cp "$E2E_APPDIR/Kirel.ini" ini.before

fill() {
  dd if=/dev/zero of="$E2E_APPDIR/filler" bs=4096 2>/dev/null || true
  dd if=/dev/zero of="$E2E_APPDIR/filler" bs=1 oflag=append conv=notrunc 2>/dev/null || true
}

# The program logs the text of each message box it shows (kirel.messages).
export QT_LOGGING_RULES="kirel.messages.info=true"
# Waits for the next message box, closes it and prints the text it logged (the
# count of boxes seen is kept in a file: this runs in a subshell).
echo 0 >seen
message_text() {
  close_message || return 1
  local n
  n=$(($(cat seen) + 1))
  echo "$n" >seen
  grep -a 'message:' "$E2E_OUT/kirel.log" | sed -n "${n}p"
}

start_kirel
activate "$KIREL_WIN"
xdotool mousemove --window "$KIREL_WIN" 300 250 click 1
sleep 0.2
xdotool type --delay 10 "the first post"
xdotool key --clearmodifiers ctrl+e
text=$(message_text) || fail "no message after the first transfer"
case "$text" in *転送しました*) ;; *) fail "first transfer said: $text" ;; esac
[ "$(cat "$E2E_APPDIR/backup.txt")" = "the first post" ] || fail "backup.txt not written"
cp "$E2E_APPDIR/backup.txt" backup.before
pass "transfer with room on the disk"

fill
activate "$KIREL_WIN"
xdotool type --delay 10 " and more"
xdotool key --clearmodifiers ctrl+e
text=$(message_text) || fail "no message after the transfer on a full disk"
case "$text" in
  *backup.txt\ に書き込めません*) ;;
  *) fail "the transfer on a full disk said: $text" ;;
esac
case "$text" in *"に書き込めません。 ディスクの空き容量が足りません。"*) ;; *) fail "no reason in: $text" ;; esac
text=$(message_text) || fail "no transfer message after the failed backup"
case "$text" in *転送しました*) ;; *) fail "then said: $text" ;; esac
cmp -s backup.before "$E2E_APPDIR/backup.txt" || fail "backup.txt changed: '$(cat "$E2E_APPDIR/backup.txt")'"
ls "$E2E_APPDIR" | grep -q '^backup\.txt\.' && fail "a temporary copy was left beside backup.txt"
pass "transfer on a full disk reports the failure and keeps backup.txt"

# Shut-down on the full disk: the settings cannot be written; the file stays whole.
activate "$KIREL_WIN"
xdotool key --clearmodifiers alt+F4
text=$(message_text) || fail "no message when the settings could not be written"
case "$text" in *"Kirel.ini に書き込めません。 ディスクの空き容量が足りません。"*) ;; *) fail "shut-down said: $text" ;; esac
for _ in $(seq 100); do kill -0 "$KIREL_PID" 2>/dev/null || break; sleep 0.05; done
kill -0 "$KIREL_PID" 2>/dev/null && fail "the editor did not exit"
cmp -s ini.before "$E2E_APPDIR/Kirel.ini" || fail "Kirel.ini changed ($(stat -c %s "$E2E_APPDIR/Kirel.ini") bytes)"
pass "shut-down on a full disk keeps Kirel.ini"
