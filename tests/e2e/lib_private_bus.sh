# Sourced first, with the test's own arguments, by tests that need a session bus of
# their own: the test runs again under dbus-run-session with a fresh home and
# configuration folder, which this sets as $work.
#   source lib_private_bus.sh BUILD_DIR [--on-private-bus WORK]
# Services the private bus starts inherit its environment: the home is made first.
if [ "${2:-}" != --on-private-bus ]; then
  work=$(mktemp -d)
  export HOME=$work/home XDG_CONFIG_HOME=$work/config
  # Removed only after the bus has ended: its services write their settings as they go.
  status=0
  dbus-run-session -- "$0" "$1" --on-private-bus "$work" || status=$?
  rm -rf "$work"
  exit $status
fi
work=$3
