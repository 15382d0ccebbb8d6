#!/usr/bin/env bash
# Checks the guide's message codes against the programs' sources, both ways:
# the guide names every code of the sources, and every code the guide names
# is one of the sources.
#   message_codes.sh ROOT GUIDE_DIR
# A code is an upper-case prefix, a hyphen and a number, optionally a second
# hyphen and number (I-03, I-03-02, SD-01, MB-3). In the sources (ROOT without
# tests/, build/, dist/, docs/) it is found in parentheses, as messages carry
# it ("...(I-15)", "Error(SD-02)"), or in double quotes. A message whose text
# shows no code is tagged in a comment beside it, for example // (M-1).
# In the guide (GUIDE_DIR/**/*.md) a code stands as a token of its own:
# I-03-02 does not count for I-03, nor MB-30 for MB-3. Words of the same
# shape that are no codes are passed over: a version (VX-1.0.0) and the
# names in not_codes below.
# Exit status: 0 all agree, 1 codes missing either way (listed), 2 usage or
# no code found.
set -uo pipefail
[ $# -eq 2 ] && [ -d "$1" ] && [ -d "$2" ] || {
  echo "usage: message_codes.sh ROOT GUIDE_DIR" >&2
  exit 2
}
root=$1
guide=$2
not_codes=" UTF-8 "

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
mapfile -t named < <(
  [ ${#pages[@]} -eq 0 ] ||
    perl -ne 'print "$1\n" while
      /(?<![A-Za-z0-9-])([A-Z]{1,3}-[0-9]{1,2}(?:-[0-9]{1,2})?)(?![0-9]|-[0-9]|\.[0-9])/g' \
      "${pages[@]}" | sort -u
)

missing=()
for code in "${codes[@]}"; do
  [[ " ${named[*]} " == *" $code "* ]] || missing+=("$code")
done
unknown=()
for code in "${named[@]}"; do
  [[ " ${codes[*]} " == *" $code "* || "$not_codes" == *" $code "* ]] || unknown+=("$code")
done
if [ ${#missing[@]} -gt 0 ] || [ ${#unknown[@]} -gt 0 ]; then
  [ ${#missing[@]} -eq 0 ] || echo "the guide does not name: ${missing[*]}"
  [ ${#unknown[@]} -eq 0 ] || echo "the guide names codes the sources do not have: ${unknown[*]}"
  exit 1
fi
echo "the guide names all ${#codes[@]} message codes and no other: ${codes[*]}"
