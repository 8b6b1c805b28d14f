#!/usr/bin/env bash
# Fuzzes every reader of untrusted bytes that builds on Linux, in this process's loop (libFuzzer)
# with the address and undefined-behaviour sanitizers: setup.exe's LZMA decoder and payload
# reader, setup-media's script reader, checker and one-file reader (tools/setup-media/fuzz/).
#   fuzz.sh build [DIR]                 builds the targets and their seeds into DIR (default build-fuzz)
#   fuzz.sh run SECONDS [TARGET...]     a campaign: each target (all by default) for SECONDS
#   fuzz.sh check DIR TARGET SECONDS    the suite's short run of a built target, from its seeds and
#                                       regressions only, with a fixed random seed
# FUZZ_DIR chooses the build folder for run. A campaign keeps each target's corpus in
# DIR/corpus/TARGET and what it finds (crash-*, timeout-*, oom-*) in DIR/findings/TARGET; a
# finding, once fixed, goes to tools/setup-media/fuzz/regressions/TARGET, which the suite replays.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
targets=(lzma-decoder profile-text script-check one-file payload-reader)

build() {
  local out=$1
  cmake -S tools/setup-media -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSETUP_MEDIA_FUZZ=ON -DSETUP_MEDIA_BUILD_TESTS=OFF >/dev/null
  cmake --build "$out" -j2
  # The seeds: the sample package, its scripts and the checker tests' clean script.
  local clean="$out/clean-script.ini"
  sed -n '/^const std::string CleanScript = R"(/,/^)";/p' tools/setup-media/tests/ScriptCheckTest.cpp |
    sed '1s/.*R"(//; $d' >"$clean"
  rm -rf "$out/seeds"
  "$out/make-fuzz-seeds" "$out/seeds" examples/notes examples/notes/install.ini examples/notes/disk01/notes.ini "$clean"
}

# One target for `seconds`, from the corpus folder `corpus` (where it adds what it finds new), its
# seeds and its regressions; the status of the run.
run_target() {
  local dir=$1 target=$2 seconds=$3 corpus=$4
  shift 4
  mkdir -p "$corpus" "$dir/findings/$target"
  local regressions="$root/tools/setup-media/fuzz/regressions/$target" inputs=("$corpus" "$dir/seeds/$target")
  [ -d "$regressions" ] && inputs+=("$regressions")
  "$dir/fuzz-$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$dir/findings/$target/" "$@" "${inputs[@]}"
}

case "${1:-}" in
  build) build "${2:-build-fuzz}" ;;
  run)
    [ $# -ge 2 ] || { echo "usage: $0 run SECONDS [TARGET...]" >&2; exit 2; }
    seconds=$2
    shift 2
    dir=${FUZZ_DIR:-build-fuzz}
    build "$dir"
    [ $# -gt 0 ] || set -- "${targets[@]}"
    mkdir -p "$dir/findings"
    status=0
    for target in "$@"; do
      echo "== $target"
      run_target "$dir" "$target" "$seconds" "$dir/corpus/$target" >"$dir/findings/$target.log" 2>&1 || status=1
      grep -E '^stat::number_of_executed_units|^stat::new_units_added|ERROR|SUMMARY|^Done' "$dir/findings/$target.log" || true
    done
    exit $status ;;
  check)
    [ $# -eq 4 ] || { echo "usage: $0 check DIR TARGET SECONDS" >&2; exit 2; }
    rm -rf "$2/check-corpus/$3"
    run_target "$2" "$3" "$4" "$2/check-corpus/$3" -seed=1 ;;
  *) echo "usage: $0 build [DIR] | run SECONDS [TARGET...] | check DIR TARGET SECONDS" >&2; exit 2 ;;
esac
