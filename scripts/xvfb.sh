# Sourced: start_xvfb starts a private Xvfb on a free display and exports DISPLAY;
# stop_xvfb stops it again.  Both are safe to call when Xvfb was never started.
_quillet_xvfb_pid=""
start_xvfb() {
  local n=${1:-99}
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
  Xvfb ":${n}" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  _quillet_xvfb_pid=$!
  export DISPLAY=":${n}"
  for _ in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X${n}" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :${n}" >&2
  return 1
}
stop_xvfb() {
  if [ -n "$_quillet_xvfb_pid" ]; then
    kill "$_quillet_xvfb_pid" 2>/dev/null || true
    wait "$_quillet_xvfb_pid" 2>/dev/null || true
    _quillet_xvfb_pid=""
  fi
}
