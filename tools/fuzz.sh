#!/usr/bin/env bash
# Builds the picture-decoder fuzz targets with clang and libFuzzer, apart from
# the main g++ build, and runs each one for a bounded time over the corpus kept
# in tests/fuzz/corpus/<target>/. Exits non-zero if a build fails or a target
# finds a crash, a sanitizer report or a broken decoder contract.
#
#   tools/fuzz.sh [seconds-per-target] [target...]
#
# Defaults: 30 seconds, every target (bmp24 bmp8 bmp4 embedded). The build and
# what the fuzzer learns go to build-fuzz/ (or $NEBULARK_FUZZ_DIR); the kept
# corpus is only read. A crashing input is saved as build-fuzz/crashes/<target>-*:
# rerun it with build-*/tests/images/nebulark_fuzz_replay <target> <file>, and
# once fixed keep it in tests/fuzz/corpus/<target>/ as a regression.
set -euo pipefail

seconds=${1:-30}
shift || true
if ! [[ $seconds =~ ^[0-9]+$ ]] || [[ $seconds -eq 0 ]]; then
    echo "fuzz.sh: seconds must be a positive whole number, not '$seconds'" >&2
    exit 2
fi
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(bmp24 bmp8 bmp4 embedded)

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=${NEBULARK_FUZZ_DIR:-$repo/build-fuzz}
cxx=${NEBULARK_FUZZ_CXX:-clang++-14}
flags=(-std=c++20 -O1 -g -Wall -Wextra -Werror -fno-omit-frame-pointer
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$repo/src" -I"$repo/tests/fuzz")
# The display-free decoders and what they use; nothing here needs Xlib.
sources=(src/images/BmpDecoder.cpp src/images/DecodeError.cpp src/images/EmbeddedImage.cpp
         src/images/RgbBuffer.cpp src/images/SourceExport.cpp src/util/Log.cpp
         src/util/BinaryFile.cpp src/util/FileUtils.cpp src/util/StringUtils.cpp
         src/util/TextFile.cpp tests/fuzz/FuzzTargets.cpp)

command -v "$cxx" >/dev/null || { echo "fuzz.sh: $cxx not found (apt-get install clang-14 libclang-rt-14-dev)" >&2; exit 2; }
rm -rf "$work/obj"
mkdir -p "$work/obj" "$work/crashes"

echo "fuzz.sh: building with $cxx in $work"
pids=()
for source in "${sources[@]}"; do
    object="$work/obj/$(echo "${source%.cpp}" | tr / _).o"
    "$cxx" "${flags[@]}" -c "$repo/$source" -o "$object" &
    pids+=($!)
    # Two compilers at a time: the machines have two cores.
    if [[ ${#pids[@]} -ge 2 ]]; then wait "${pids[0]}"; pids=("${pids[@]:1}"); fi
done
for pid in "${pids[@]}"; do wait "$pid"; done
for target in "${targets[@]}"; do
    "$cxx" "${flags[@]}" -DNEBULARK_FUZZ_TARGET="\"$target\"" \
        "$repo/tests/fuzz/libfuzzer_entry.cpp" "$work"/obj/*.o -o "$work/fuzz_$target"
done

failed=()
for target in "${targets[@]}"; do
    seeds="$repo/tests/fuzz/corpus/$target"
    [[ -d $seeds ]] || { echo "fuzz.sh: no corpus folder $seeds" >&2; failed+=("$target"); continue; }
    learned="$work/corpus/$target"
    mkdir -p "$learned"
    echo "fuzz.sh: $target for ${seconds}s"
    # New inputs go to the first folder, so the kept corpus is left as it is.
    if (cd "$work" && "./fuzz_$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
            -rss_limit_mb=2048 -artifact_prefix="$work/crashes/$target-" \
            "$learned" "$seeds" >"$work/$target.log" 2>&1); then
        grep -E '^#[0-9]+[[:space:]]+DONE' "$work/$target.log" || tail -n 1 "$work/$target.log"
    else
        echo "fuzz.sh: $target FAILED; last lines of $work/$target.log:" >&2
        tail -n 40 "$work/$target.log" >&2
        failed+=("$target")
    fi
done

# One closing line in the plain "N passed, N failed" form, a target counting
# as passed when it ran its whole time without a finding.
echo "fuzz: $((${#targets[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
if [[ ${#failed[@]} -gt 0 ]]; then
    echo "fuzz.sh: failing targets: ${failed[*]}" >&2
    exit 1
fi
