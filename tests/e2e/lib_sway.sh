# Sourced by the end-to-end tests on Wayland: a headless sway session of an
# unprivileged user (sway refuses to run as root), and commands run inside it as that
# user. Needs lib_xserver.sh first (for wait_for and the cleanup of what it starts).
#   start_sway WORK [LINE...]   starts sway with its runtime folder under WORK, which
#                               becomes the user's, and LINEs added to its
#                               configuration; sets $sway_user and $sway_runtime
#   stop_sway                   ends it
#   as_sway_user COMMAND...     runs COMMAND as that user, in the session
#   sway_shot FILE              a screenshot of every output (grim)
#   sway_pixel_is FILE X,Y RGB  the screenshot's pixel at X,Y is srgb(RGB)
sway_user=nobody
sway_group=nogroup

as_sway_user() {
  setpriv --reuid="$sway_user" --regid="$sway_group" --clear-groups \
    env -i PATH=/usr/bin:/bin HOME="$sway_home" XDG_RUNTIME_DIR="$sway_runtime" WAYLAND_DISPLAY=wayland-1 \
    XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway ${SWAYSOCK:+SWAYSOCK="$SWAYSOCK"} "$@"
}

start_sway() {
  local work=$1 line
  shift
  sway_home=$work/sway-home
  sway_runtime=$work/sway-runtime
  mkdir -p "$sway_home" "$sway_runtime"
  chmod 700 "$sway_runtime"
  # The extra lines first: sway starts its own swaybg as soon as it reads the line
  # after them, which sets black.
  printf '%s\n' "$@" 'output * bg #000000 solid_color' >"$sway_home/config"
  chown -R "$sway_user:$sway_group" "$work"
  setpriv --reuid="$sway_user" --regid="$sway_group" --clear-groups \
    env -i PATH=/usr/bin:/bin HOME="$sway_home" XDG_RUNTIME_DIR="$sway_runtime" WLR_BACKENDS=headless \
    WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 sway ${SWAY_DEBUG:+-d} -c "$sway_home/config" >"$work/sway.log" 2>&1 &
  sway_pid=$!
  _e2e_pids+=($sway_pid)
  wait_for sh -c "ls '$sway_runtime'/sway-ipc.*.sock"
  SWAYSOCK=$(ls "$sway_runtime"/sway-ipc.*.sock)
  export SWAYSOCK
  wait_for as_sway_user swaymsg -t get_outputs
}

stop_sway() {
  kill "$sway_pid"
  wait "$sway_pid" 2>/dev/null || true
  rm -f "$sway_runtime"/sway-ipc.*.sock
}

sway_shot() { as_sway_user grim "$1"; }

sway_pixel_is() {
  [ "$(convert "$1" -format "%[pixel:p{$2}]" info:)" = "srgb($3)" ]
}
