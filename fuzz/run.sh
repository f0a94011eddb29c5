#!/usr/bin/env bash
# Runs the libFuzzer harnesses built by a -DSORAMI_FUZZ=ON build.
#
#   fuzz/run.sh [-j JOBS] [-k] BUILD_DIR SECONDS [NAME...]
#
# Each harness (all of them when no NAME is given) runs for SECONDS from its
# committed seed corpus fuzz/corpus/NAME; what it learns goes to
# BUILD_DIR/fuzz-work/NAME/corpus and never into the committed corpus. A
# crash, a leak, a timeout (over 10 s on one input), running out of memory
# (2 GiB) or a failed round trip stops that harness; the failing input is kept
# as BUILD_DIR/fuzz-work/NAME/crash-* (or leak-, timeout-, oom-) and the
# script exits non-zero after every harness has run. JOBS harnesses run at a
# time (1 unless given). With -k (for long runs) a harness keeps going after
# a finding, in a child process, and keeps every failing input it meets.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
jobs=1
keep_going=""
while [ $# -gt 0 ]; do
  case "$1" in
    -j) jobs="$2"; shift 2 ;;
    -k) keep_going="-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1"; shift ;;
    *) break ;;
  esac
done
if [ $# -lt 2 ]; then
  sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
build="$(cd "$1" && pwd)"
seconds="$2"
shift 2
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for seeds in "$here"/corpus/*/; do names+=("$(basename "$seeds")"); done
fi

# The failing inputs a harness left in its folder, one a line.
findings() {
  find "$1" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | sort
}

run_one() {
  local name="$1" work="$build/fuzz-work/$1"
  local program="$build/fuzz/fuzz_$name"
  if [ ! -x "$program" ]; then
    echo "fuzz $name: no harness at $program" >&2
    return 1
  fi
  mkdir -p "$work/corpus"
  findings "$work" | xargs -r rm -f
  # shellcheck disable=SC2086
  if "$program" $keep_going -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "$here/corpus/$name" \
      >"$work/log" 2>&1; then
    if [ -n "$(findings "$work")" ]; then
      echo "fuzz $name: FAILED; the inputs are kept in $work:"
      findings "$work"
      return 1
    fi
    local runs
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log" | grep -o '[0-9]*$' | tail -1)
    [ -n "$runs" ] || runs=$(grep -o '^#[0-9]*' "$work/log" | tail -1 | tr -d '#')
    echo "fuzz $name: ok, ${runs:-?} runs in ${seconds}s"
  else
    echo "fuzz $name: FAILED; the input is kept in $work, the log says:"
    grep -E -A40 'ERROR|round trip failed|runtime error|Timeout|out-of-memory' "$work/log" | head -60
    findings "$work"
    return 1
  fi
}
export -f run_one findings
export build seconds here keep_going
# Harnesses write their inputs to files: keep those in memory when possible.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

summary="$(mktemp)"
trap 'rm -f "$summary"' EXIT
printf '%s\n' "${names[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {} | tee "$summary"
passed=$(grep -c '^fuzz [a-z_]*: ok' "$summary")
failed=$((${#names[@]} - passed))
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
