#!/usr/bin/env bash
# The module table, checked on every #include of the product folders. A module may
# include only itself and the modules before it:
#   base -> imaging -> gif -> platform -> controls -> core -> app
# and base, imaging and gif never include a Qt header. Each breach is named with its
# file and line; the exit status is 1 when there is one.
#   layering.sh SOURCE_DIR
set -euo pipefail
cd "$1"

modules=(base imaging gif platform controls core app)
pure=" base imaging gif "
declare -A rank
for i in "${!modules[@]}"; do rank[${modules[$i]}]=$i; done

breaches=0
breach() {
  echo "$1: $2" >&2
  breaches=$((breaches + 1))
}

include='^[[:space:]]*#[[:space:]]*include[[:space:]]*([<"])([^>"]*)[>"]'
# file:line:text of every include line of every source file.
while IFS= read -r hit; do
  file=${hit%%:*}
  rest=${hit#*:}
  line=${rest%%:*}
  text=${rest#*:}
  module=${file%%/*}
  [[ $text =~ $include ]] || { breach "$file:$line" "an include this check cannot read: $text"; continue; }
  target=${BASH_REMATCH[2]}
  if [ "${BASH_REMATCH[1]}" = '"' ]; then
    # Our headers are named from the root, "module/..."; a bare name is a neighbour.
    [[ $target == */* ]] || continue
    used=${target%%/*}
    if [ -z "${rank[$used]+set}" ]; then
      breach "$file:$line" "$target is not under a module folder"
    elif [ "${rank[$used]}" -gt "${rank[$module]}" ]; then
      breach "$file:$line" "$module includes $target, but $used comes after $module in the module table"
    fi
  elif [[ $pure == *" $module "* && $target =~ ^Q(t|[A-Z]) ]]; then
    breach "$file:$line" "$module includes the Qt header <$target>; $module stays free of Qt"
  fi
done < <(grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include' "${modules[@]}")

if [ "$breaches" -gt 0 ]; then
  echo "layering: $breaches include(s) against the module table" >&2
  exit 1
fi
echo "layering: every include of ${modules[*]} keeps the module table"
