#!/usr/bin/env bash
# Fails when a file under src/ includes a folder that its layer may not
# include. The layers, bottom to top, are the README's layout table:
#
#   platform       operating-system service interfaces   (nothing else)
#   wire           the exchange's wire vocabulary        (nothing else)
#   configuration  the configuration and OPR903.DAT      platform, wire
#   console        the console model                     + configuration
#   link           the link that drives the model        + console
#   directory      the speed-dial directory              + link
#   operator       name boxes, operator commands, keys   + directory
#   shell          start-up, tray, alert, session        + operator
#   platform/qt    the Qt adapters                       everything below
#   app            widgets, main(), command line         everything; sim only in main.cpp
#   sim            the exchange simulator                wire
#
# A file's layer is its folder under src/ (src/platform/qt/ is a layer of its
# own); an include's folder is the first part of its path ("platform/qt" when
# it starts so). Every layer may include its own folder. An include without a
# folder ("x.h") is not checked. A file or an include in a folder that is not
# a layer fails.
set -euo pipefail
cd "$(dirname "$0")/.."

below_shell="platform wire configuration console link directory operator"
declare -A may=(
  [platform]=""
  [wire]=""
  [configuration]="platform wire"
  [console]="platform wire configuration"
  [link]="platform wire configuration console"
  [directory]="platform wire configuration console link"
  [operator]="platform wire configuration console link directory"
  [shell]="$below_shell"
  [platform/qt]="$below_shell shell"
  [app]="$below_shell shell platform/qt sim"
  [sim]="wire"
)
layers="platform wire configuration console link directory operator shell platform/qt app sim"
only_main_includes_sim="src/app/main.cpp"

# Sets $folder to the folder a path names: "platform/qt" when it starts so,
# else its first part; empty for a path without a folder.
folder_of() {
  case "$1" in
    platform/qt/*) folder="platform/qt" ;;
    */*) folder="${1%%/*}" ;;
    *) folder="" ;;
  esac
}

allowed() { # allowed LAYER FOLDER
  [[ "$1" == "$2" ]] && return 0
  local f
  for f in ${may[$1]}; do
    [[ "$f" == "$2" ]] && return 0
  done
  return 1
}

listed() { # "a b c" -> "a, b, c"
  if [[ -z "$1" ]]; then echo "nothing but its own folder"; else echo "${1// /, }"; fi
}

failures=0
checked=0
fail() {
  echo "$1" >&2
  failures=$((failures + 1))
}

mapfile -d '' files < <(find src -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)
((${#files[@]} > 0)) || { echo "check-layers: no C++ files under src/" >&2; exit 1; }

include_re='^([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)"'
for file in "${files[@]}"; do
  folder_of "${file#src/}"
  layer=$folder
  if [[ -z "$layer" || -z "${may[$layer]+set}" ]]; then
    fail "$file: is in no layer (the layers are the folders $(listed "$layers") under src/)"
    continue
  fi
  hits=$(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file") || (($? == 1)) || exit 2
  while IFS= read -r hit; do
    [[ "$hit" =~ $include_re ]] || continue
    lineno=${BASH_REMATCH[1]}
    path=${BASH_REMATCH[2]}
    folder_of "$path"
    [[ -n "$folder" ]] || continue
    checked=$((checked + 1))
    where="$file:$lineno: #include \"$path\""
    if [[ -z "${may[$folder]+set}" ]]; then
      fail "$where: $folder/ is not a layer (the layers are: $(listed "$layers"))"
    elif ! allowed "$layer" "$folder"; then
      fail "$where: $layer may not include $folder ($layer may include $(listed "${may[$layer]}"))"
    elif [[ "$layer" == app && "$folder" == sim && "$file" != "$only_main_includes_sim" ]]; then
      fail "$where: app may not include sim (only $only_main_includes_sim includes the simulator)"
    fi
  done <<<"$hits"
done

if ((failures > 0)); then
  echo "check-layers: $failures place(s) break the layer order (README.md, Layout)" >&2
  exit 1
fi
echo "check-layers: $checked includes in ${#files[@]} files follow the layer order"
