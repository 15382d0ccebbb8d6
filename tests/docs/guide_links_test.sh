#!/usr/bin/env bash
# The link check on a made-up guide: it reports exactly the links to a
# missing page, a missing anchor on the same or another page and a heading
# of another page, and passes headings (a repeated one too), <a id> anchors,
# web addresses and code blocks.
cd "$(dirname "$0")/fixture" || exit 1
out=$(bash ../guide_links.sh guide)
status=$?
expected="guide/links.md: #なし
guide/links.md: missing.md
guide/links.md: messages.md#none
guide/links.md: links.md#メッセージ"
if [ $status -ne 1 ] || [ "$out" != "$expected" ]; then
  echo "status $status, output: $out (expected status 1, output: $expected)"
  exit 1
fi
echo "$out"
