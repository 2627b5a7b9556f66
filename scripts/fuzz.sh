#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz, and runs each for a number of seconds on a scratch copy
# of its committed corpus, so the new inputs libFuzzer keeps never land in the source tree.
#
#   scripts/fuzz.sh [seconds per target, default 600] [target ...]
#
# Targets: probe_output progress command_line settings file_version (default: all). FUZZ_JOBS
# (default 1) targets run at once, FUZZ_BUILD_JOBS (default 2) compile jobs. Needs clang and
# libclang-rt-*-dev. Ends with one line per target: executions, coverage, findings; exits non-zero
# when any target found something. Inputs that failed are kept under build-fuzz/runs/.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

seconds="${1:-600}"
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(probe_output progress command_line settings file_version)
jobs="${FUZZ_JOBS:-1}"
build_jobs="${FUZZ_BUILD_JOBS:-2}"
case "$seconds" in
    '' | *[!0-9]*) echo "fuzz.sh: seconds must be a whole number: $seconds" >&2; exit 2 ;;
esac
for target in "${targets[@]}"; do
    [ -d "tests/fuzz/corpus/$target" ] || { echo "fuzz.sh: no such target: $target" >&2; exit 2; }
done

source scripts/deps.sh
# Only this script needs clang with its libFuzzer and sanitizer runtimes.
CLIPWRIGHT_PACKAGES+=(clang libclang-rt-14-dev)
clipwright_ensure_packages

# The fuzz preset of CMakePresets.json: clang, libFuzzer, the sanitizers and checked container
# indexing (AddressSanitizer misses a read past a vector's size that stays within its capacity).
build="build-fuzz"
echo "== configuring $build"
cmake --preset fuzz >/dev/null
echo "== building ${targets[*]}"
cmake --build --preset fuzz -j"$build_jobs" --target "${targets[@]/%/_fuzz}"

runs="$build/runs/$(date +%Y%m%d-%H%M%S)"
mkdir -p "$runs"

# Copies a committed corpus into dir, turning *.hex text into the bytes it stands for.
copy_corpus() {
    local from="$1" dir="$2" file name
    mkdir -p "$dir"
    for file in "$from"/*; do
        name="$(basename "$file")"
        if [[ "$name" == *.hex ]]; then
            perl -0777 -ne 's/#[^\n]*//g; s/\s+//g;
                (/^[0-9a-fA-F]*$/ && length($_) % 2 == 0) or die "bad hex text in $ARGV\n";
                print pack("H*", $_)' "$file" >"$dir/${name%.hex}"
        else
            cp "$file" "$dir/$name"
        fi
    done
}

run_target() {
    local target="$1" dir="$runs/$1"
    copy_corpus "tests/fuzz/corpus/$target" "$dir/corpus"
    mkdir -p "$dir/findings"
    echo "== $target: ${seconds}s, log in $dir/log.txt"
    # A finding stops libFuzzer with a non-zero status; the summary reports it.
    UBSAN_OPTIONS=print_stacktrace=1 "$build/bin/${target}_fuzz" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/findings/" \
        "$dir/corpus" >"$dir/log.txt" 2>&1 || true
}

summary_line() {
    local target="$1" dir="$runs/$1" log="$runs/$1/log.txt" executions coverage features found
    executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
    coverage="$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2 || true)"
    features="$(grep -o 'ft: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2 || true)"
    found="$(find "$dir/findings" -type f | wc -l)"
    printf '%-14s executions %-12s coverage %-6s features %-7s corpus %-6s findings %s\n' \
        "$target" "${executions:-?}" "${coverage:-?}" "${features:-?}" \
        "$(find "$dir/corpus" -type f | wc -l)" "$found"
    find "$dir/findings" -type f -printf '    %p\n'
}

running=0
for target in "${targets[@]}"; do
    run_target "$target" &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait -n
        running=$((running - 1))
    fi
done
wait

echo "== results (${seconds}s each, logs under $runs)"
status=0
for target in "${targets[@]}"; do
    summary_line "$target"
    [ -z "$(find "$runs/$target/findings" -type f)" ] || status=1
done
exit "$status"
