#!/bin/sh
# Puts the game's font into data/: Liberation Sans Narrow Regular from Debian's
# fonts-liberation package, renamed to the file name the game opens, with its
# licence beside it. Run it again after a package update to refresh both.
set -eu
cd "$(dirname "$0")/../.."

font=/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Regular.ttf
copyright=/usr/share/doc/fonts-liberation/copyright
gpl=/usr/share/common-licenses/GPL-2

for f in "$font" "$copyright" "$gpl"; do
  if [ ! -r "$f" ]; then
    echo "Missing $f: install the Debian packages fonts-liberation and base-files" >&2
    exit 1
  fi
done

cp "$font" data/AGENCYR.TTF
{
  echo "data/AGENCYR.TTF is LiberationSansNarrow-Regular.ttf, unmodified, from the"
  echo "Debian 12 package fonts-liberation ($(dpkg-query -W -f='${Version}' fonts-liberation 2>/dev/null || echo 'version unknown'))."
  echo "Its licence, as that package states it, follows, then the full text of"
  echo "the GNU General Public License version 2 that the licence refers to."
  echo
  echo "==== $copyright ===="
  echo
  cat "$copyright"
  echo
  echo "==== $gpl ===="
  echo
  cat "$gpl"
} > data/AGENCYR.LICENSE
echo "Copied $font to data/AGENCYR.TTF and its licence to data/AGENCYR.LICENSE"
