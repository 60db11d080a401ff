# Sourced by scripts that need an X server of their own. start_xvfb [WxH] starts Xvfb (a
# 1024x768 screen unless told) on a display it picks itself (no race with another script
# choosing the same free number), waits until it accepts connections, and sets DISPLAY;
# stop_xvfb (safe to call any time) ends it. Every wait here is only an upper bound, set for a
# machine ten times slower than a loaded CI runner: a fast machine never waits it out.
xvfb_pid=""

# Waits for the server to be gone: on its way out it removes its socket file, which would
# otherwise take the socket of the next test's server on the same display number.
stop_xvfb() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  fi
}

start_xvfb() {
  local ready
  ready=$(mktemp)
  # -noreset: a server that resets when its last client leaves (the probe below, a screenshot)
  # refuses connections for a moment.
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset 3>"$ready" >/dev/null 2>&1 &
  xvfb_pid=$!
  # A loaded machine can take several seconds; give up after two minutes.
  for _ in $(seq 1200); do
    # The number is written once the server listens; a client that connects proves it is
    # there to be used.
    if [ -s "$ready" ] && DISPLAY=":$(tr -dc 0-9 <"$ready")" xdotool getdisplaygeometry >/dev/null 2>&1; then
      DISPLAY=":$(tr -dc 0-9 <"$ready")"
      export DISPLAY
      rm -f "$ready"
      return 0
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$ready"
  echo "no X server could be started" >&2
  return 1
}

# The first mapped window of that name within two minutes (Qt also keeps an unmapped 1x1
# leader window named after the program); with a process id, no longer than that process
# lives.
wait_for_window() {
  local found=""
  for _ in $(seq 1200); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$found" ] && break
    [ -z "${2:-}" ] || kill -0 "$2" 2>/dev/null || break
    sleep 0.1
  done
  echo "$found"
}

# Waits until the window with that id is no longer mapped (a dialog has taken its answer);
# fails after two minutes.
wait_until_gone() {
  for _ in $(seq 1200); do
    xdotool search --onlyvisible --name '' 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  return 1
}

# The opening an end-to-end script with one program shares: a work folder, and on exit the
# program in app_pid killed, the display stopped and the folder removed.
e2e_begin() {
  work=$(mktemp -d)
  app_pid=""
  trap e2e_cleanup EXIT
}
e2e_cleanup() {
  [ -n "${app_pid:-}" ] && kill -9 "$app_pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}

# What a message box of the program is: "question" (Yes and No) or "notice" (its window role);
# empty when the window is gone.
box_kind() {
  xprop -id "$1" WM_WINDOW_ROLE 2>/dev/null | sed -n 's/^WM_WINDOW_ROLE(STRING) = "\(.*\)"$/\1/p'
}

# Answers a message box by what it is: a question with its key for Yes (Y) or No (Escape) as
# the second argument says ("yes" unless told), a notice with Return. Then waits until the box
# has gone, within the bound of wait_until_gone (returns 1 past it), unless the third argument
# is "nowait".
answer_box() {
  local key=Return
  if [ "$(box_kind "$1")" = question ]; then
    key=y
    [ "${2:-yes}" = yes ] || key=Escape
  fi
  xdotool windowfocus "$1" 2>/dev/null || true
  sleep 0.2
  xdotool key "$key"
  [ "${3:-}" = nowait ] || wait_until_gone "$1"
}

# The mapped windows named $1 that are message boxes of kind $2, one id a line.
boxes_of_kind() {
  local box
  for box in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true); do
    [ "$(box_kind "$box")" = "$2" ] && echo "$box"
  done
  return 0
}
