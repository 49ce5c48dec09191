#!/usr/bin/env bash
# The packages in a throw-away prefix: a silent install with its files,
# shortcuts, uninstall entry and Run value; the installed program starts;
# a silent upgrade over the running program closes it and keeps the user's
# data; the silent uninstaller removes what it installed (and the data only
# when asked); the portable zip's program starts from a folder with blanks
# and Chinese characters and writes nothing beside itself.
#   installer_test.sh SETUP.exe PORTABLE.zip window_probe.exe
set -euo pipefail
setup=$1
portable=$2
probe=$3
# shellcheck source=SCRIPTDIR/../../scripts/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
# shellcheck source=SCRIPTDIR/expect.sh
. "$(dirname "${BASH_SOURCE[0]}")/expect.sh"
run=$scripts_dir/wine-run.sh
export NIGHTLATCH_HEADLESS=1 NIGHTLATCH_UPDATE_SITE=http://127.0.0.1:9/
start_private_prefix
title='Orvane定时关机助手'
user=$(id -un)
home=$WINEPREFIX/drive_c/users/$user
installed=$home/AppData/Local/Programs/Nightlatch
data=$home/AppData/Roaming/Nightlatch
menu_link="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$title.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Nightlatch'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
exe_path="C:\\users\\$user\\AppData\\Local\\Programs\\Nightlatch\\Nightlatch.exe"

# reg_value KEY NAME -> the value's data as `reg query` prints it.
reg_value() {
  timeout 60 "$run" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^  */, ""); print }'
}
present() { [ -e "$1" ] && echo yes || echo no; }
gone() { [ ! -e "$installed/Nightlatch.exe" ]; }

expect "silent install exits 0" 0 "$(timeout 120 "$run" "$setup" /S >/dev/null 2>&1; echo $?)"
for file in Nightlatch.exe Chimebox.exe uninstall.exe resource/image/Clock01.bmp \
            resource/sound/1.mp3 resource/zeph/hour.wav; do
  expect "installed $file" yes "$(present "$installed/$file")"
done
expect "Start-menu shortcut" yes "$(present "$menu_link")"
expect "desktop shortcut" yes "$(present "$home/Desktop/$title.lnk")"
expect "DisplayName" "$title" \
  "$(timeout 60 "$run" "$probe" value "${uninstall_key#HKCU\\}" DisplayName 2>/dev/null)"
expect "DisplayVersion" "2.4.0.0" "$(reg_value "$uninstall_key" DisplayVersion)"
expect "Publisher" "Orvane" "$(reg_value "$uninstall_key" Publisher)"
expect "DisplayIcon" "$exe_path,0" "$(reg_value "$uninstall_key" DisplayIcon)"
expect "InstallLocation" "${exe_path%\\Nightlatch.exe}" "$(reg_value "$uninstall_key" InstallLocation)"
size=$(reg_value "$uninstall_key" EstimatedSize)
expect "EstimatedSize is a size in KB" yes "$([[ $size =~ ^0x[0-9a-f]+$ ]] && [ $((size)) -gt 100 ] && echo yes || echo "no: $size")"
expect "UninstallString" "\"${exe_path%Nightlatch.exe}uninstall.exe\" /CurrentUser" \
  "$(reg_value "$uninstall_key" UninstallString)"
expect "QuietUninstallString" "\"${exe_path%Nightlatch.exe}uninstall.exe\" /CurrentUser /S" \
  "$(reg_value "$uninstall_key" QuietUninstallString)"
expect "Run value as the program writes it" "\"$exe_path\" /min" "$(reg_value "$run_key" Nightlatch)"

# The installed program runs; the user's data appears beside it.
"$run" "$installed/Nightlatch.exe" &
program=$!
expect "the installed program shows its window" 0 \
  "$(timeout 60 "$run" "$probe" wait "$title" visible 30000 >/dev/null 2>&1; echo $?)"
mkdir -p "$data"
echo kept > "$data/marker.txt"

# An upgrade over the running program closes it first.
expect "silent upgrade exits 0" 0 "$(timeout 120 "$run" "$setup" /S >/dev/null 2>&1; echo $?)"
ended=$(wait_until 20 exited "$program" && echo yes || echo no)
expect "the upgrade closed the running program" yes "$ended"
[ "$ended" = yes ] || stop_pid "$program"
expect "the upgrade kept the program" yes "$(present "$installed/Nightlatch.exe")"
expect "the upgrade kept the user's data" yes "$(present "$data/marker.txt")"

# The uninstaller runs from a copy of itself: wait for the files to go.
timeout 120 "$run" "$installed/uninstall.exe" /S >/dev/null 2>&1 || true
expect "uninstall removed the program" yes "$(wait_until 60 gone && echo yes || echo no)"
sleep 2
expect "uninstall removed the folder" no "$(present "$installed")"
expect "uninstall removed the shortcut" no "$(present "$menu_link")"
expect "uninstall removed the desktop shortcut" no "$(present "$home/Desktop/$title.lnk")"
expect "uninstall removed the entry" "" "$(reg_value "$uninstall_key" DisplayName)"
expect "uninstall removed the Run value" "" "$(reg_value "$run_key" Nightlatch)"
expect "uninstall kept the user's data" yes "$(present "$data/marker.txt")"

# Asked to, it removes the data too.
timeout 120 "$run" "$setup" /S >/dev/null 2>&1 || true
timeout 120 "$run" "$installed/uninstall.exe" /S /REMOVEDATA >/dev/null 2>&1 || true
wait_until 60 gone || true
sleep 2
expect "uninstall /REMOVEDATA removed the data" no "$(present "$data")"

# Portable: from a folder with blanks and Chinese characters.
folder="$WINEPREFIX/drive_c/便携 程序"
mkdir -p "$folder"
python3 -m zipfile -e "$portable" "$folder"
program_dir=$(find "$folder" -maxdepth 1 -mindepth 1 -type d | head -1)
before=$(cd "$program_dir" && find . | sort)
"$run" "$program_dir/Nightlatch.exe" &
program=$!
expect "the portable program shows its window" 0 \
  "$(timeout 60 "$run" "$probe" wait "$title" visible 30000 >/dev/null 2>&1; echo $?)"
timeout 20 "$run" "$probe" close "$title" >/dev/null 2>&1 || true
wait_until 20 exited "$program" || stop_pid "$program"
after=$(cd "$program_dir" && find . | sort)
expect "the portable program wrote nothing beside itself" "$before" "$after"
expect "its data went to the data folder" yes "$(present "$data")"

[ "$failures" -eq 0 ]
