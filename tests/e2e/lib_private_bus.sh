# Sourced first, with the test's own arguments, by tests that need a session bus of
# their own: the test runs again under dbus-run-session with a fresh home and
# configuration folder.
#   source lib_private_bus.sh BUILD_DIR
# Services the private bus starts inherit its environment: the home is made first.
if [ "${2:-}" != --on-private-bus ]; then
  home=$(mktemp -d)
  export HOME=$home/home XDG_CONFIG_HOME=$home/config
  # Removed only after the bus has ended: its services write their settings as they go.
  status=0
  dbus-run-session -- "$0" "$1" --on-private-bus || status=$?
  rm -rf "$home"
  exit $status
fi
