#!/bin/sh
# Runs one fuzz target for a number of seconds at the lowest priority, one process:
#   fuzz/run.sh TARGET SECONDS [BUILD]
# New inputs go to BUILD/corpus/TARGET (not the repository); the seeds of
# fuzz/*/corpus/TARGET are read too. A crash leaves crash-* in the current folder: reproduce
# it with `BUILD/bin/TARGET crash-...`, turn it into a regression test and add the minimised
# input to the target's corpus. The last lines libFuzzer prints give the executions ("#N").
set -eu
TARGET=$1
SECONDS_=$2
BUILD=${3:-build-fuzz}
SEEDS=$(ls -d "$(dirname "$0")"/*/corpus/"$TARGET")
mkdir -p "$BUILD/corpus/$TARGET"
exec nice -n 19 "$BUILD/bin/$TARGET" -max_total_time="$SECONDS_" -max_len=16384 -timeout=10 \
  -rss_limit_mb=1024 -print_final_stats=1 "$BUILD/corpus/$TARGET" "$SEEDS"
