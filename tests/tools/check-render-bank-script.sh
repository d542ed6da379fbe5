#!/bin/sh
# scripts/render-bank in a tree of its own whose set-up and build steps only
# leave a mark and whose host is the one built: a request the host refuses
# leaves no folder behind, help and a request whose form is wrong (an
# unknown or ambiguous option, a missing value, no OUTDIR, an empty one, two)
# build and make nothing, wherever the option stands, and a relative OUTDIR
# is the caller's, before or after the options.
set -u
script=$1
tool=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/tree/scripts" "$dir/tree/build/release/tools/thudrokka" "$dir/bin" "$dir/work"
cp "$script" "$dir/tree/scripts/render-bank"
printf '#!/bin/sh\ntouch "%s/built"\n' "$dir" >"$dir/tree/scripts/install-deps"
printf '#!/bin/sh\ntouch "%s/built"\n' "$dir" >"$dir/bin/cmake"
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

# Each request: the exit status expected, the first line on stderr, and the
# arguments.
check() {
  want=$1
  said=$2
  shift 2
  rm -f "$dir/built"
  PATH="$dir/bin:$PATH" ../tree/scripts/render-bank "$@" >"$dir/out" 2>"$dir/err"
  status=$?
  first=$(head -n 1 "$dir/err")
  if [ "$status" -ne "$want" ] || [ "$first" != "$said" ] || [ -e "$dir/built" ] || [ -n "$(ls -A)" ]; then
    echo "render-bank $*: exit status $status, expected $want; said '$first', expected '$said';" \
      "built: $([ -e "$dir/built" ] && echo yes || echo no); left: $(ls -A)"
    failed=1
  fi
}
check 0 "" --help
check 0 "" -h
check 0 "" out --rate 48000 --help
check 0 "" out --he
check 2 "scripts/render-bank: give OUTDIR" --rate 48000
check 2 "scripts/render-bank: OUTDIR is empty: name the folder, . for the current one" ""
check 2 "scripts/render-bank: OUTDIR is empty: name the folder, . for the current one" "" --rate 48000
check 2 "scripts/render-bank: unknown option '--bogus'" out --bogus
check 2 "scripts/render-bank: unknown option '--bogus'" --bogus out
check 2 "scripts/render-bank: unknown option '--bogus'" out --rate 48000 --bogus=1
check 2 "scripts/render-bank: unknown option '-x'" out -x
check 2 "scripts/render-bank: option '--b' is ambiguous: --block or --bits" out --b 24
check 2 "scripts/render-bank: option --rate needs a value" out --rate
check 2 "scripts/render-bank: option --help takes no value" out --help=1
check 2 "scripts/render-bank: give exactly one OUTDIR, not 'out' and 'again'" out again
check 2 "scripts/render-bank: the output is a folder of files, which standard output cannot be" -

PATH="$dir/bin:$PATH" ../tree/scripts/render-bank --rate 8000 made/bank --length 0.01 --tail=0 --jobs 2
status=$?
files=$(ls "$dir/work/made/bank" 2>/dev/null | wc -l)
if [ "$status" -ne 0 ] || [ "$files" -ne 128 ]; then
  echo "relative folder: exit status $status and $files files, expected 0 and 128"
  failed=1
fi
rm -rf made
# After --, an operand that looks like an option.
PATH="$dir/bin:$PATH" ../tree/scripts/render-bank --rate 8000 --length 0.01 --tail 0 -- --bank
status=$?
files=$(ls -- "$dir/work/--bank" 2>/dev/null | wc -l)
if [ "$status" -ne 0 ] || [ "$files" -ne 128 ]; then
  echo "-- then --bank: exit status $status and $files files, expected 0 and 128"
  failed=1
fi
exit $failed
