#!/usr/bin/env bash
# Takes the README's pictures of the real program under Xvfb, in a private
# Wine prefix with a few sample tasks: the main window, the task list, the
# add dialog, a countdown prompt, a reminder, two settings pages and the
# desktop clock. Writes docs/screenshots/*.png (committed; rerun to renew).
# With 150, only the main window at 150 % scaling (144 DPI, on a taller
# screen): main-150.png.
#   bash scripts/make-screenshots.sh [150]
set -euo pipefail
# shellcheck source=SCRIPTDIR/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
build=$build_root/windows-release
tools=$build_root/windows
out=$root_dir/docs/screenshots

if ! under_private_xvfb; then
  "$scripts_dir/install-deps.sh"
  command -v xdotool >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq xdotool >/dev/null
  build_release "$build" OFF Nightlatch Chimebox >/dev/null
  [ -x "$tools/tests/e2e/window_probe.exe" ] || die "build the tests first (bash scripts/test.sh)"
  if [ "${1:-}" = 150 ]; then
    rerun_under_xvfb 1280x1024x24 150
  fi
  rerun_under_xvfb 1024x768x24
fi

export NIGHTLATCH_HEADLESS=1
start_private_prefix
mkdir -p "$out"
data=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Nightlatch
mkdir -p "$data"
title='Orvane定时关机助手'
probe() { "$scripts_dir/wine-run.sh" "$tools/tests/e2e/window_probe.exe" "$@" >/dev/null 2>&1; }

# Sample tasks (helper.dat: 520-byte little-endian records); the first one
# is due SECONDS from now.
write_tasks() {  # ACTION WARNING SECONDS
  python3 - "$data/helper.dat" "$1" "$2" "$3" <<'PY'
import struct, sys, time
path, soon_action, soon_warn, soon = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
now = int(time.time())
def record(ident, mode, action, next_run, param, warn, text, note=""):
    head = struct.pack("<10i", ident, mode, action, next_run, next_run, param, 0, warn, now, 1)
    def units(s):
        data = s.encode("utf-16-le")[:238]
        return data + b"\0" * (240 - len(data))
    return head + units(note) + units(text)
tasks = [
    record(1, 1, soon_action, now + soon, 0, soon_warn, "该休息了，起来走走！" if soon_action == 8 else ""),
    record(2, 3, 0, now + 3 * 3600, 0b0111110, 60, ""),
    record(3, 2, 7, now + 26 * 3600, 1, 0, "C:\\windows\\notepad.exe"),
    record(4, 6, 8, now + 45 * 60, 3600, 0, "喝杯水"),
]
open(path, "wb").write(b"".join(tasks))
PY
}

start() {  # [ARGS...]: the program, its window on top-left known
  "$scripts_dir/wine-run.sh" "$build/Nightlatch.exe" "$@" &
  program=$!
  sleep 4
}
stop() {
  stop_pid "$program"
  sleep 1
}
window_shot() {  # NAME: the main window, cropped
  local id
  id=$(xdotool search --onlyvisible --name "$title" | head -1)
  import -window root -crop "$(xdotool getwindowgeometry "$id" | awk '/Geometry/ {print $2}')+$(
    xdotool getwindowgeometry "$id" | awk '/Position/ {split($2, p, ","); print p[1] "+" p[2]}')" \
    +repage "$out/$1.png"
}
screen_shot() {  # NAME GEOMETRY
  import -window root -crop "$2" +repage "$out/$1.png"
}

if [ "${1:-}" = 150 ]; then
  # Windows reads the scale at a program's start; the prefix is this
  # script's own, so its server may be restarted.
  WINEDEBUG=-all timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
    /t REG_DWORD /d 144 /f >/dev/null 2>&1 || die "could not set LogPixels"
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  wineserver -p
  write_tasks 0 60 7200
  start
  window_shot main-150
  stop
  ls -la "$out"/*-150.png
  exit 0
fi

# The clock stands clear of the main window.
printf '[Clock]\r\nnLostPosLeft=790\r\nnLastPostop=520\r\n' > "$data/config.ini"
write_tasks 0 60 7200
start
window_shot main
probe post "$title" 0x111 1002 0   # 计划任务
sleep 1
window_shot tasks
probe post "$title" 0x406 0 1      # the add dialog
sleep 2
screen_shot add 616x413+205+178
stop

# A countdown prompt (shut down in 60 s; ended long before) and a reminder.
write_tasks 0 60 4
start /min
sleep 3
screen_shot prompt 338x260+343+253
stop
write_tasks 8 0 4
start /min
sleep 3
screen_shot reminder 332x212+692+556
stop

# Two settings pages.
rm -f "$data/helper.dat"
start
probe post "$title" 0x111 1001 0   # 系统设置
sleep 1
window_shot settings-basic
id=$(xdotool search --onlyvisible --name "$title" | head -1)
eval "$(xdotool getwindowgeometry --shell "$id")"
xdotool mousemove $((X + 50)) $((Y + 245)) click 1
sleep 1
window_shot settings-clock
stop

# The desktop clock on its own.
printf '[Clock]\r\nnLostPosLeft=400\r\nnLastPostop=250\r\nTransparence=10\r\n' > "$data/config.ini"
start /min
sleep 2
screen_shot clock 225x225+400+250
stop
ls -la "$out"
