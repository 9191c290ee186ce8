#!/usr/bin/env bash
# The include check on small trees beside the real one: an upward include and an unlisted
# directory each fail with a message naming the file and the rule.
# Usage: check-layers-test.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
check=$source_dir/scripts/check-layers
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$check" "$source_dir" || fail "the repository itself breaks its layer table"

# expect_refusal NAME EXPECTED_LINE: the check of the tree NAME fails, printing EXPECTED_LINE.
expect_refusal() {
    local out status=0
    out=$("$check" "$work/$1") || status=$?
    [ "$status" = 1 ] || fail "$1: exit status $status, not 1"
    grep -qxF "$2" <<<"$out" || fail "$1: expected '$2', got: $out"
}

tree() {
    mkdir -p "$work/$1/docs" "$work/$1/src/document" "$work/$1/src/view"
    cp "$source_dir/docs/ARCHITECTURE.md" "$work/$1/docs/"
    echo '#include "document/Low.h"' >"$work/$1/src/view/High.h"
}

tree upward
echo '#include "view/High.h"' >"$work/upward/src/document/Low.h"
expect_refusal upward 'src/document/Low.h:1: includes "view/High.h", but document (core) may include only calc, platform (layer table in docs/ARCHITECTURE.md)'

tree unlisted
mkdir -p "$work/unlisted/src/ledger"
echo '#include "document/Low.h"' >"$work/unlisted/src/ledger/Book.h"
expect_refusal unlisted 'src/ledger: a directory the layer table of docs/ARCHITECTURE.md does not list; add its row (its layer and what it may include)'
