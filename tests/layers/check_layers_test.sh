#!/usr/bin/env bash
# The layer check passes on the real sources and fails on a copy of them into
# which an include running up the order has been put.
set -euo pipefail
repo=$1
check="$repo/tools/check-layers"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$check" "$repo/src" || { echo "FAIL: the sources include upwards"; exit 1; }

cp -r "$repo/src" "$work/src"
echo '#include "widgets/Form.h"' >>"$work/src/images/RgbBuffer.h"
if output=$("$check" "$work/src"); then
    echo "FAIL: an upward include from images to widgets was not found"
    exit 1
fi
grep -q 'images/RgbBuffer.h:[0-9]*: images includes widgets' <<<"$output" ||
    { echo "FAIL: unexpected report: $output"; exit 1; }
echo "PASS"
