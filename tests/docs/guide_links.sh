#!/usr/bin/env bash
# Checks the relative links of the guide's pages: each linked file exists and
# each #anchor is on the linked page, as an <a id="..."> or as a heading's
# anchor (lower case, punctuation dropped, blanks turned into hyphens, a
# repeated heading numbered -1, -2, ...). Links with a scheme are passed over.
#   guide_links.sh GUIDE_DIR
# Exit status: 0 all resolve, 1 broken links (listed as PAGE: TARGET), 2 usage.
set -uo pipefail
[ $# -eq 1 ] && [ -d "$1" ] || {
  echo "usage: guide_links.sh GUIDE_DIR" >&2
  exit 2
}
mapfile -d '' pages < <(find "$1" -type f -name '*.md' -print0 | sort -z)
perl -CSD -Mutf8 -e '
  use File::Basename qw(dirname);
  use File::Spec;
  my %anchors; # page path => { anchor => 1 }
  sub anchors_of {
    my ($page) = @_;
    return $anchors{$page} if $anchors{$page};
    my %ids; my %seen; my $fence = 0;
    open(my $in, "<:utf8", $page) or return $anchors{$page} = {};
    while (<$in>) {
      $fence = !$fence if /^```/;
      next if $fence;
      $ids{$1} = 1 while /<a id="([^"]+)">/g;
      if (/^#{1,6}\s+(.*?)\s*$/) {
        (my $slug = lc $1) =~ s/<[^>]*>//g;
        $slug =~ s/[^\w\- ]//g;
        $slug =~ s/ /-/g;
        my $n = $seen{$slug}++;
        $ids{$n ? "$slug-$n" : $slug} = 1;
      }
    }
    return $anchors{$page} = \%ids;
  }
  my $broken = 0;
  for my $page (@ARGV) {
    open(my $in, "<:utf8", $page) or die "$page: $!";
    my $fence = 0;
    while (my $line = <$in>) {
      $fence = !$fence if $line =~ /^```/;
      next if $fence;
      while ($line =~ /\]\(([^)\s]+)\)/g) {
        my $target = $1;
        next if $target =~ /^[a-z]+:/;
        my ($file, $anchor) = split /#/, $target, 2;
        my $path = $file eq "" ? $page : File::Spec->catfile(dirname($page), $file);
        my $ok = -e $path && (!defined $anchor || ($path =~ /\.md$/ && anchors_of($path)->{$anchor}));
        next if $ok;
        print "$page: $target\n";
        $broken = 1;
      }
    }
  }
  exit $broken;
' "${pages[@]}"
