# Sourced first, with the test's own arguments, by tests that need a session bus of
# their own: the test runs again under dbus-run-session with a fresh home and
# configuration folder.
#   source lib_private_bus.sh BUILD_DIR
# Services the private bus starts inherit its environment: the home is made first.
if [ "${2:-}" != --on-private-bus ]; then
  home=$(mktemp -d)
  export HOME=$home/home XDG_CONFIG_HOME=$home/config
  status=0
  dbus-run-session -- "$0" "$1" --on-private-bus || status=$?
  # The bus's services (xfconfd) save their settings as the bus goes: the home is
  # removed once no process of this session is left to write into it.
  for _ in $(seq 1 100); do
    grep -qsxzF "XDG_CONFIG_HOME=$XDG_CONFIG_HOME" /proc/[0-9]*/environ || break
    sleep 0.1
  done
  rm -rf "$home"
  exit $status
fi
