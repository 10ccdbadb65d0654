#!/usr/bin/env bash
# The manual's code stays true. Every example program docs/examples/NAME.cpp
# appears whole as a code block on a page of docs/, and its build
# (docs-example-NAME) prints exactly the lines its closing "// Prints:"
# comment lists. docs/README.md shows the smallest program
# (examples/smallest.cpp) and the consumer's CMakeLists.txt whole.
# Usage: docs_examples.sh BUILD_DIR SOURCE_DIR
set -u
build_dir=$(cd "${1:?build folder}" && pwd)
source_dir=$(cd "${2:?source folder}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each fenced code block of the pages of $1.. into its own file under $work/$tag.
extract_blocks() {
  local tag=$1
  shift
  mkdir -p "$work/$tag"
  awk -v dir="$work/$tag" '
    /^```[a-z]+$/ && !inside { inside = 1; n++; file = sprintf("%s/block%03d", dir, n); printf "" > file; next }
    /^```$/ && inside { inside = 0; close(file); next }
    inside { print >> file }
  ' "$@"
}

# Whether file $1 equals one of the blocks in $work/$2.
shown_whole() {
  local block
  for block in "$work/$2"/block*; do
    [ -e "$block" ] && cmp -s "$1" "$block" && return 0
  done
  return 1
}

status=0
fail() {
  echo "FAIL: $*"
  status=1
}

extract_blocks pages "$source_dir"/docs/*.md
extract_blocks readme "$source_dir/docs/README.md"
count=0
for example in "$source_dir"/docs/examples/*.cpp; do
  name=$(basename "$example" .cpp)
  count=$((count + 1))
  shown_whole "$example" pages || fail "docs/examples/$name.cpp is not shown whole on any page of docs/"
  grep -q '^// Prints:$' "$example" || fail "docs/examples/$name.cpp has no '// Prints:' comment"
  sed -n '/^\/\/ Prints:$/,$p' "$example" | tail -n +2 | sed 's#^// ##' >"$work/$name.expected"
  (cd "$work" && "$build_dir/docs-example-$name") >"$work/$name.actual" 2>"$work/$name.errors" ||
    fail "docs-example-$name did not run: $(head -5 "$work/$name.errors")"
  diff -u "$work/$name.expected" "$work/$name.actual" >"$work/$name.diff" ||
    fail "docs-example-$name prints other lines than its comment says: $(cat "$work/$name.diff")"
done
[ "$count" -gt 0 ] || fail "no examples in docs/examples"
for shown in examples/smallest.cpp examples/consumer/CMakeLists.txt; do
  shown_whole "$source_dir/$shown" readme || fail "docs/README.md does not show $shown whole"
done
[ $status -eq 0 ] && echo "ok: $count examples shown whole and printing what they say"
exit $status
