#!/usr/bin/env bash
# Checks that each program given carries the release hardening: PIE, full
# RELRO (GNU_RELRO segment and immediate binding), the stack protector and
# fortified libc calls.
set -u
status=0
fail() { echo "FAIL $1: $2"; status=1; }

for program in "$@"; do
  [ -x "$program" ] || { fail "$program" "not an executable"; continue; }
  name=$(basename "$program")
  readelf -h "$program" | grep -q 'Type:[[:space:]]*DYN' || fail "$name" "not position-independent (PIE)"
  readelf -lW "$program" | grep -q 'GNU_RELRO' || fail "$name" "no GNU_RELRO segment"
  readelf -dW "$program" | grep -Eq 'BIND_NOW|FLAGS_1.*NOW' || fail "$name" "not bound immediately (partial RELRO)"
  symbols=$(readelf -sW --dyn-syms "$program")
  grep -q '__stack_chk_fail' <<<"$symbols" || fail "$name" "no stack protector"
  grep -Eq '__[a-z]+_chk@' <<<"$symbols" || fail "$name" "no fortified libc calls"
  [ $status -eq 0 ] && echo "ok $name"
done
exit $status
