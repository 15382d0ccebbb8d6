#!/usr/bin/env bash
# The code check on a made-up program and guide: it finds codes in messages,
# comments and tables, and reports exactly the codes that the guide does not
# name as tokens of their own (Q-01 appears only inside Q-01-02, QB-4 only
# inside QB-40), and exactly the codes it names that the sources do not have
# (QB-40, QX-9; neither UTF-8 nor the version in a file name).
here=$(cd "$(dirname "$0")" && pwd)
out=$("$here/message_codes.sh" "$here/fixture/src" "$here/fixture/guide")
status=$?
expected="the guide does not name: Q-01 QB-4
the guide names codes the sources do not have: QB-40 QX-9"
if [ $status -ne 1 ] || [ "$out" != "$expected" ]; then
  echo "status $status, output: $out (expected status 1, output: $expected)"
  exit 1
fi
echo "$out"
