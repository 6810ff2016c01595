#!/usr/bin/env bash
# The preview tab draws the post with the board's colours: a post with Japanese
# text and a bold tag is pasted into the edit pane, the "　確認　" tab is clicked,
# and the screen is checked at known points of the page (board 1 with its
# default colours on a fresh program folder). A second showing picks up the
# changed post. Closing the editor removes "0.htm".
set -euo pipefail
source "$E2E_LIB"

# Window-relative points of the page (the window opens at its default size).
TAB_EDIT=(84 14)
TAB_PREVIEW=(149 14)
TITLE_BAR=(279 58)   # heading bar of the post cell: #8080FF
BACKGROUND=(279 270) # page background of board 1: #FCBED3
CELL=(479 150)       # post cell of board 1: #FFFFFF
FRAME=(62 120)       # frame line left of the cell: #8080FF

start_kirel
activate "$KIREL_WIN"
eval "$(xdotool getwindowgeometry --shell "$KIREL_WIN")"
WX=$X
WY=$Y

pixel() { # x y (window-relative) -> "srgb(r,g,b)"
  import -window root -crop "1x1+$((WX + $1))+$((WY + $2))" -format '%[pixel:p{0,0}]' info:- 2>/dev/null
}
# Share of white pixels in a window-relative box after thresholding.
whiteness() { # x y w h
  convert "$E2E_OUT/$SHOT.png" -crop "${3}x${4}+$((WX + $1))+$((WY + $2))" -threshold 50% \
    -format '%[fx:mean]' info:
}
click_at() { xdotool mousemove $((WX + $1)) $((WY + $2)) click 1; }
# Waits until the pixel shows the colour; prints the milliseconds it took.
wait_colour() { # x y colour
  local t0 now
  t0=$(date +%s%N)
  for _ in $(seq 150); do
    if [ "$(pixel "$1" "$2")" = "$3" ]; then
      now=$(date +%s%N)
      echo $(((now - t0) / 1000000))
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# The post goes in through the clipboard while the editor stays active, so the
# capture does not see it.
clip_set "$(printf 'テスト投稿です\n<B>太字の確認</B>')"
xdotool key ctrl+v
sleep 0.3

click_at "${TAB_PREVIEW[@]}"
ms=$(wait_colour "${TITLE_BAR[@]}" "srgb(128,128,255)") || { screenshot preview_failed; fail "no heading bar"; }
echo "first showing: page drawn after about $ms ms"
sleep 0.5
SHOT=preview
screenshot "$SHOT"

[ -f "$E2E_APPDIR/0.htm" ] || fail "no 0.htm"
iconv -f CP932 -t UTF-8 "$E2E_APPDIR/0.htm" | grep -qF 'テスト投稿です<BR><B>太字の確認</B>' ||
  fail "0.htm does not hold the post"
[ "$(pixel "${BACKGROUND[@]}")" = "srgb(252,190,211)" ] || fail "page background is $(pixel "${BACKGROUND[@]}")"
[ "$(pixel "${CELL[@]}")" = "srgb(255,255,255)" ] || fail "post cell is $(pixel "${CELL[@]}")"
[ "$(pixel "${FRAME[@]}")" = "srgb(128,128,255)" ] || fail "frame is $(pixel "${FRAME[@]}")"
pass "board colours and heading bar"

# Both lines carry text; the bold line is darker; the tag is not shown as text
# (the line ends where the five bold characters end). The lines are found by
# scanning rows below the heading bar, so the check does not depend on the
# exact line height of the installed font.
bands=()      # "first_row last_row" of each run of rows holding text
band_start=-1
for y in $(seq 95 180); do
  w=$(whiteness 104 "$y" 110 1)
  if awk -v w="$w" 'BEGIN { exit !(w < 1) }'; then
    [ "$band_start" -lt 0 ] && band_start=$y
  elif [ "$band_start" -ge 0 ]; then
    bands+=("$band_start $((y - 1))")
    band_start=-1
  fi
done
[ "${#bands[@]}" -ge 2 ] || fail "expected two lines of text, found ${#bands[@]}"
read -r a1 a2 <<<"${bands[0]}"
read -r b1 b2 <<<"${bands[1]}"
line1=$(whiteness 104 "$a1" 110 $((a2 - a1 + 1)))
line2=$(whiteness 104 "$b1" 76 $((b2 - b1 + 1)))
after=$(whiteness 200 "$b1" 200 $((b2 - b1 + 1)))
echo "white share: line 1 $line1, line 2 $line2, after line 2 $after"
awk -v a="$line1" -v b="$line2" -v c="$after" 'BEGIN { exit !(a < 0.95 && b < a && c == 1) }' ||
  fail "the post text is not drawn as expected"
pass "Japanese text and bold tag rendered"

# Second showing: the changed post is converted again.
click_at "${TAB_EDIT[@]}"
sleep 0.3
clip_set "$(printf '\n追加の行')"
xdotool key ctrl+End ctrl+v
sleep 0.3
t0=$(date +%s%N)
click_at "${TAB_PREVIEW[@]}"
for _ in $(seq 100); do
  iconv -f CP932 -t UTF-8 "$E2E_APPDIR/0.htm" 2>/dev/null | grep -qF '</B><BR>追加の行' && break
  sleep 0.05
done
iconv -f CP932 -t UTF-8 "$E2E_APPDIR/0.htm" | grep -qF '</B><BR>追加の行' || fail "0.htm was not rewritten"
# The third line appears below the bold one.
for _ in $(seq 100); do
  SHOT=preview2
  screenshot "$SHOT"
  line3=$(whiteness 104 144 60 14)
  awk -v a="$line3" 'BEGIN { exit !(a < 0.95) }' && break
  sleep 0.1
done
now=$(date +%s%N)
awk -v a="$line3" 'BEGIN { exit !(a < 0.95) }' || fail "the second showing does not show the new line"
echo "second showing: page drawn after about $(((now - t0) / 1000000)) ms"
pass "second showing"

# Closing the window the way a person does removes the preview page.
activate "$KIREL_WIN"
xdotool key alt+F4
for _ in $(seq 200); do kill -0 "$KIREL_PID" 2>/dev/null || break; sleep 0.05; done
kill -0 "$KIREL_PID" 2>/dev/null && fail "the editor did not exit"
[ ! -e "$E2E_APPDIR/0.htm" ] || fail "0.htm is left after closing"
pass "0.htm removed at close"
