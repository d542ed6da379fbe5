#!/bin/sh
# make-user-waveforms --check given a pipe that nothing writes: refused at
# once with one line on stderr, not waited on for ever.
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkfifo "$dir/pipe"
timeout 10 "$tool" --check "$dir/pipe" 2>"$dir/errors"
status=$?
if [ "$status" -ne 1 ]; then
  echo "exit status $status, expected 1"
  exit 1
fi
expected="make-user-waveforms: cannot read $dir/pipe: not a regular file"
if [ "$(cat "$dir/errors")" != "$expected" ]; then
  echo "stderr: $(cat "$dir/errors")"
  echo "expected: $expected"
  exit 1
fi
