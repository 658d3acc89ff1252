#!/usr/bin/env bash
# Runs two builds of sdof_frf on the same answers and fails on the first byte that differs
# in standard output, standard error or any result file.
set -euo pipefail
first=$(realpath "$1")
second=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

answer_sets=(
  "2 1 1 1000 1 0.05 1"
  "2 1 1 1000 1 0.05 0.001"
  "1 1 386 1000 2 10 0.5"
  "1 2 10 20 1 0.02 0.25"
  "1 3 1000 5.032921210448704 1 0.05 0.1"
  "2 2 1 10 1 0 0.5"
  "2 2 1 10 2 0 1"
  "2 2 1 0.25 1 0.05 0.1"
  "2 2 1 -1 1 0.05 1"
  "2 2 1 10 1 0.05 1e400"
  "2 1 -1 -1000 1 1e-300 0.7"
  "2 1 1e-300 1e300 1 0.05 1e140"
  "2 1 1 1000 1 0.05 0"
  "2 2 1 0 2 0 1"
  "2 3 0 10 2 0 0.5"
  "2 3 1e400 10 1 1e400 0.5"
  "2 1 1e400 1 2 0 1e300"
  "1 2 0 0 1 -0 1e400"
  ""
)
index=0
for answers in "${answer_sets[@]}"; do
  index=$((index + 1))
  for build in first second; do
    mkdir -p "$work/$index/$build"
    binary=${!build}
    (cd "$work/$index/$build" && printf '%s' "$answers" | setsid "$binary" > stdout.txt 2> stderr.txt || true)
  done
  if ! diff -r "$work/$index/first" "$work/$index/second" > /dev/null; then
    echo "builds differ for answers '$answers'" >&2
    diff -r "$work/$index/first" "$work/$index/second" | head -20 >&2
    exit 1
  fi
done
echo "identical output from both builds for ${#answer_sets[@]} answer sets"
