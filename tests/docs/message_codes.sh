#!/usr/bin/env bash
# Checks that the guide names every message code of the programs' sources.
#   message_codes.sh ROOT GUIDE_DIR
# A code is an upper-case prefix, a hyphen and a number, optionally a second
# hyphen and number (I-03, I-03-02, SD-01, MB-3). In the sources (ROOT without
# tests/, build/, dist/, docs/) it is found in parentheses, as messages carry
# it ("...(I-15)", "Error(SD-02)"), or in double quotes. A message whose text
# shows no code is tagged in a comment beside it, for example // (M-1).
# In the guide (GUIDE_DIR/**/*.md) the code must stand as a token of its own:
# I-03-02 does not count for I-03, nor MB-30 for MB-3.
# Exit status: 0 all named, 1 codes missing (listed), 2 usage or no code found.
set -uo pipefail
[ $# -eq 2 ] && [ -d "$1" ] && [ -d "$2" ] || {
  echo "usage: message_codes.sh ROOT GUIDE_DIR" >&2
  exit 2
}
root=$1
guide=$2

mapfile -t codes < <(
  find "$root" \( -path "$root/tests" -o -path "$root/build" -o -path "$root/dist" \
    -o -path "$root/docs" -o -path "$root/.git" \) -prune -o -type f \
    \( -name '*.c' -o -name '*.cpp' -o -name '*.h' -o -name '*.rc' \) -print0 |
    xargs -0 -r grep -ohE '[("][A-Z]{1,3}-[0-9]{1,2}(-[0-9]{1,2})?[)"]' |
    tr -d '()"' | sort -u
)
if [ ${#codes[@]} -eq 0 ]; then
  echo "no message code found in the sources below $root" >&2
  exit 2
fi

mapfile -d '' pages < <(find "$guide" -type f -name '*.md' -print0)
missing=()
for code in "${codes[@]}"; do
  if [ ${#pages[@]} -eq 0 ] ||
    ! grep -qE "(^|[^A-Za-z0-9-])$code([^0-9-]|-[^0-9]|$)" "${pages[@]}"; then
    missing+=("$code")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "the guide does not name: ${missing[*]}"
  exit 1
fi
echo "the guide names all ${#codes[@]} message codes: ${codes[*]}"
