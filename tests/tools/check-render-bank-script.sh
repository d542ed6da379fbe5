#!/bin/sh
# scripts/render-bank in a tree of its own whose set-up and build steps do
# nothing and whose host is the one built: a request the host refuses
# leaves no folder behind, help and an option in OUTDIR's place build and
# make nothing, and a relative OUTDIR is the caller's.
set -u
script=$1
tool=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/tree/scripts" "$dir/tree/build/release/tools/thudrokka" "$dir/bin" "$dir/work"
cp "$script" "$dir/tree/scripts/render-bank"
printf '#!/bin/sh\nexit 0\n' >"$dir/tree/scripts/install-deps"
printf '#!/bin/sh\nexit 0\n' >"$dir/bin/cmake"
chmod +x "$dir/tree/scripts/install-deps" "$dir/bin/cmake"
ln -s "$tool" "$dir/tree/build/release/tools/thudrokka/thudrokka"
failed=0

cd "$dir/work"
PATH="$dir/bin:$PATH" ../tree/scripts/render-bank refused --bits 16 2>/dev/null
status=$?
if [ "$status" -ne 2 ]; then
  echo "refused options: exit status $status, expected 2"
  failed=1
fi
if [ -e refused ]; then
  echo "refused options left the folder 'refused'"
  failed=1
fi

for first in --help -h --rate; do
  PATH="$dir/bin:$PATH" ../tree/scripts/render-bank "$first" 48000 >/dev/null 2>&1
  status=$?
  want=2
  [ "$first" = --rate ] || want=0
  if [ "$status" -ne "$want" ] || [ -n "$(ls -A)" ]; then
    echo "'$first' first: exit status $status, expected $want, and left: $(ls -A)"
    failed=1
  fi
done

PATH="$dir/bin:$PATH" ../tree/scripts/render-bank made/bank --rate 8000 --length 0.01 --tail 0 --jobs 2
status=$?
files=$(ls "$dir/work/made/bank" 2>/dev/null | wc -l)
if [ "$status" -ne 0 ] || [ "$files" -ne 128 ]; then
  echo "relative folder: exit status $status and $files files, expected 0 and 128"
  failed=1
fi
exit $failed
