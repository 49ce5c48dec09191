# shellcheck shell=bash
# The end-to-end scripts' checks: each says ok or FAILED with what it
# expected and got, and counts the failures. Sourced, not run.
failures=0

expect() {  # description, expected, actual
  if [ "$2" = "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1: expected $(printf %q "$2"), got $(printf %q "$3")"
    failures=$((failures + 1))
  fi
}
