#!/usr/bin/env bash
# The service mode of the real Nightlatch.exe against Wine's service manager,
# in a prefix of its own: "/install" refuses a program the user may replace,
# the service writes one helper.log entry at its daily item's second (none
# while the interactive program runs, a refusal for a desktop action),
# "/uninstall" stops and deletes it.
set -euo pipefail
nightlatch=$1
probe=$2
# shellcheck source=SCRIPTDIR/../../scripts/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
# shellcheck source=SCRIPTDIR/expect.sh
. "$(dirname "${BASH_SOURCE[0]}")/expect.sh"
run=$scripts_dir/wine-run.sh
export WINEPREFIX=${E2E_PREFIX:?}
service=NightlatchSrv

# The item's hour may not be 0 (that means no item): away from midnight UTC
# the test runs in UTC, near it eight hours east. Every process of the
# prefix starts from this environment, the service too.
case $(date -u +%H) in
  23 | 00) export TZ=Asia/Shanghai ;;
  *) export TZ=UTC ;;
esac

remove_service() {
  timeout 30 wine sc stop "$service" >/dev/null 2>&1 || true
  timeout 30 wine sc delete "$service" >/dev/null 2>&1 || true
}
# The prefix is this test's own, so ending its server ends only what the
# test started, also when a step fails half-way; the service goes first.
trap 'remove_service; timeout 30 wineserver -k >/dev/null 2>&1 || true' EXIT

# run_switch SWITCH CAPTION: runs Nightlatch.exe SWITCH, dismisses the
# message box CAPTION and sets box_text and switch_status.
run_switch() {
  local pid
  "$run" "$nightlatch" "$1" &
  pid=$!
  box_text=$(timeout --foreground -k 10 40 "$run" "$probe" dismiss "$2" 30000) ||
    box_text="(no box \"$2\")"
  switch_status=0
  if wait_until 30 exited "$pid"; then
    wait "$pid" || switch_status=$?
  else
    switch_status="still running 30 s later"
    stop_pid "$pid"
  fi
}

service_state() {
  timeout 30 wine sc query "$service" 2>/dev/null | tr -d '\r' |
    awk '$1 == "STATE" {print $4; found=1} END {if (!found) print "NONE"}'
}

prepare_wine_prefix
# Wine ends the services of a prefix with its server, which ends a few
# seconds after the last program: keep it up, as a running Windows would.
timeout 60 wineserver -p </dev/null >/dev/null 2>&1 || die "wineserver did not start"
boot_wine_prefix
remove_service
user=$(timeout 30 wine cmd /c 'echo %USERNAME%' 2>/dev/null | tr -d '\r')
data=$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Nightlatch
mkdir -p "$data"
rm -f "$data/helper.log" "$data/config.ini"
log=$data/helper.log

# Started by hand, the dispatcher cannot connect: reported, exit 0.
status=0
timeout --foreground -k 10 30 "$run" "$nightlatch" /service || status=$?
expect "/service by hand ends with 0" 0 "$status"

# Wine reports every file as the user's to change (it keeps no access lists
# of its own), so "/install" from here is refused before anything is
# registered: a LocalSystem service must not run a program others can
# replace.
exe=$(timeout 30 winepath -w "$nightlatch" 2>/dev/null | tr -d '\r')
run_switch /install 服务安装失败
refusal="程序必须为所有用户安装在只有管理员才能修改的文件夹中（例如 Program Files），才能安装为服务。"
expect "/install from a folder the user may change is refused" "$refusal" "${box_text%%$'\n'*}"
expect "the refusal names the folder" "其他用户可以修改：${exe%\\*}" "${box_text#*$'\n'}"
expect "/install refused: exit -1" 255 "$switch_status"
expect "nothing registered" NONE "$(service_state)"

# The service process itself, registered as "/install" would (the
# registration's values are checked against a stand-in service manager).
timeout 30 wine sc create "$service" binpath= "\"$exe\" /service" type= own start= auto \
  >/dev/null 2>&1 || expect "sc create" 0 $?
timeout 30 wine sc start "$service" >/dev/null 2>&1 || true
poll_until 0.2 20 [ "$(service_state)" = RUNNING ] || true
if [ "$(service_state)" != RUNNING ]; then
  # Wine's first start right after creating a service sometimes fails.
  timeout 30 wine net start "$service" >/dev/null 2>&1 || true
  poll_until 0.2 20 [ "$(service_state)" = RUNNING ] || true
fi
expect "the service runs" RUNNING "$(service_state)"

# set_item MODE SECONDS_AHEAD: the DayItem a few seconds ahead, without
# Frequence (missing means every day); sets item_at to that moment.
set_item() {
  item_at=$(($(date +%s) + $2))
  local h m s
  read -r h m s < <(date -d "@$item_at" '+%-H %-M %-S')
  printf '[DayItem]\r\nMode=%d\r\nH=%d\r\nM=%d\r\nS=%d\r\n' "$1" "$h" "$m" "$s" >"$data/config.ini"
}

# entry MODE MOMENT [REASON]: the bytes of one entry run at MOMENT.
entry() {
  local h m s
  read -r h m s < <(date -d "@$item_at" '+%-H %-M %-S')
  printf '%s\r\n%s方式：%d   频率：0  小时：%d  分钟：%d  秒：%d\r\n\r\n' \
    "$(date -d "@$2" '+%Y-%m-%d %H:%M:%S')" "${3:-}" "$1" "$h" "$m" "$s"
}

wait_past() {  # MOMENT SECONDS: until SECONDS after MOMENT
  local left=$(($1 + $2 - $(date +%s)))
  [ "$left" -le 0 ] || sleep "$left"
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"; remove_service; timeout 30 wineserver -k >/dev/null 2>&1 || true' EXIT
log_size() { if [ -f "$log" ]; then wc -c <"$log"; else echo 0; fi; }

# expect_appended DESCRIPTION FROM MODE [REASON]: the log's bytes after FROM
# are one entry of the item at item_at; a pass takes a little over a second,
# so a skipped second runs (and is stamped) one second late.
expect_appended() {
  local description=$1 from=$2 mode=$3 reason=${4:-} mark=
  [ "$from" -ne 0 ] || mark=$'\xEF\xBB\xBF'
  tail -c +$((from + 1)) "$log" >"$scratch/appended" 2>/dev/null || : >"$scratch/appended"
  { printf '%s' "$mark"; entry "$mode" "$item_at" "$reason"; } >"$scratch/on-time"
  { printf '%s' "$mark"; entry "$mode" $((item_at + 1)) "$reason"; } >"$scratch/late"
  if cmp -s "$scratch/appended" "$scratch/on-time"; then
    expect "$description" yes yes
  elif cmp -s "$scratch/appended" "$scratch/late"; then
    expect "$description (one second late)" yes yes
  else
    echo "expected:"; od -c "$scratch/on-time" | head -20
    echo "got:"; od -c "$scratch/appended" | head -20
    expect "$description" "one entry" "other bytes"
  fi
}

# Hibernate: Wine's SetSystemPowerState is a stub, so the action is harmless.
set_item 4 5
wait_past "$item_at" 3
expect_appended "one UTF-8 entry with its mark at the item's second" 0 4
sleep 2
expect_appended "still one entry two seconds later" 0 4
before=$(log_size)

# The interactive program's window: the service does nothing.
"$run" "$nightlatch" /min &
interactive=$!
timeout --foreground -k 10 60 "$run" "$probe" wait 'Orvane定时关机助手' hidden 30000 ||
  expect "interactive program started" 0 $?
set_item 4 5
wait_past "$item_at" 3
expect "nothing while the interactive program runs" "$before" "$(log_size)"
timeout --foreground -k 10 20 "$run" "$probe" close 'Orvane定时关机助手' || true
wait_until 20 exited "$interactive" || stop_pid "$interactive"
wait "$interactive" 2>/dev/null || true

# Only the named object keeps the service idle: a service cannot see the
# user's windows (another window station, on Windows another session), and
# a window of that title is no sign that any program could not fake.
# hold_sign COMMAND NAME: the probe shows that sign of the program for 12 s,
# and an item falls due while it does; end_sign waits for the probe.
hold_sign() {
  "$run" "$probe" "$1" "$2" 12000 &
  holder=$!
  sleep 2
  set_item 4 5
  wait_past "$item_at" 3
}
end_sign() {
  wait_until 20 exited "$holder" || stop_pid "$holder"
  wait "$holder" 2>/dev/null || true
}

hold_sign hold-mutex 'Global\NightlatchInteractive'
expect "nothing while only the named object is there" "$before" "$(log_size)"
end_sign
hold_sign show-window 'Orvane定时关机助手'
expect_appended "a window of the title alone does not keep the service idle" "$before" 4
before=$(log_size)
end_sign

# Locking needs the user's desktop: an entry that says why, nothing locked.
set_item 3 4
wait_past "$item_at" 3
expect_appended "a desktop action is logged as not run" "$before" 3 \
  '未执行：“锁屏”需要用户的桌面，服务中不能执行'$'\r\n'

run_switch /uninstall 服务卸载成功
expect "/uninstall says so" "服务卸载成功 " "$box_text"
expect "/uninstall exits 0" 0 "$switch_status"
poll_until 0.2 10 [ "$(service_state)" = NONE ] || true
expect "the service is gone" NONE "$(service_state)"

[ "$failures" -eq 0 ]
