#!/usr/bin/env bash
# Makes the README's screenshots again: runs Quillet under Wine on a private 1920x1080 Xvfb
# from a temporary folder with the demo data, scores the demo teams (ties included) through
# the score entry dialog, shows every screen and saves docs/screenshots/*.png.
# The clicks are screen positions of this set-up (Wine's own window frames, the
# WenQuanYi Micro Hei dialog font); change them here if the dialogs move.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tree="$("$root/scripts/wine-tree.sh")"   # windows, or windows64 where 32-bit code cannot run
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$tree" >/dev/null
"$root/scripts/wine-prefix.sh" "$root/build/$tree"
source "$root/scripts/wine-env.sh" "$root/build/$tree"
source "$root/scripts/xvfb.sh"
run="$(mktemp -d)"
out="$root/docs/screenshots"
mkdir -p "$out"
cp "$root/build/$tree/Quillet.exe" "$run/"
cp -r "$root/demo" "$run/data"
printf 'on=1\r\nwidth=560\r\nheight=420\r\ncols=2\r\nxsw=1\r\n' > "$run/Quillet.cfg"
start_xvfb 64
trap 'wineserver -k 2>/dev/null || true; stop_xvfb; rm -rf "$run"' EXIT
(cd "$run" && wine Quillet.exe >/dev/null 2>&1 &)
sleep 6
shot() { import -window root -crop "$2" +repage "$out/$1.png"; }
output="560x420+1343+108"
shot welcome "$output"
scores=(9 8 9 7 6 9 5 8 7 7 4 6)
for i in "${!scores[@]}"; do
  xdotool mousemove 140 $((90 + 15 * i)) click --repeat 2 --delay 80 1
  sleep 0.7
  xdotool key ctrl+a
  xdotool type "${scores[$i]}"
  xdotool mousemove 445 257 click 1   # 直接更改
  sleep 0.4
done
xdotool mousemove 140 150 click --repeat 2 --delay 80 1   # the dialog over the console
sleep 0.8
shot score-entry "880x580+0+0"
xdotool key Escape
sleep 0.4
shot console "880x580+0+0"
xdotool mousemove 116 522 click 1; sleep 1; shot scoring "$output"
xdotool mousemove 190 522 click 1; sleep 1; shot individual-ranking "$output"
xdotool mousemove 290 522 click 1; sleep 1; shot group-ranking "$output"
# The award ceremony: the individual ranking revealed up to its third step (揭晓 at 429, 524).
xdotool mousemove 190 522 click 1; sleep 1
for _ in 1 2 3; do xdotool mousemove 429 524 click 1; sleep 1; done
shot reveal "$output"
xdotool mousemove 116 522 click 1; sleep 1
xdotool mousemove 554 487 click 1; sleep 1.5   # "预览": the preview opens beside the console
shot console-preview "1240x580+0+0"
# The buzzers: two teams learnt in "抢答器设置" (at 703, 45), then a question won by the first.
xdotool mousemove 703 45 click 1; sleep 1.5
xdotool key q; sleep 0.5; xdotool key w; sleep 0.5
shot buzzer-setup "880x580+0+0"
xdotool mousemove 542 497 click 1; sleep 1   # 确定
xdotool key ctrl+Return; sleep 0.8; xdotool key q; sleep 1.5
shot buzzer "$output"
echo "screenshots in $out"
