#!/usr/bin/env bash
# Times trelvik against the floor of a do-nothing process and against what a
# user would otherwise run to get a video's size (ffprobe, MediaInfo), side by
# side in one hyperfine run on the real fixtures of the tests, and prints each
# as a ratio to the floor and to trelvik on the same file.
#
#   bash bench/run.sh [extra hyperfine options, e.g. --min-runs 500]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}" hyperfine ffmpeg mediainfo python3
build build/bench -DBUILD_TESTING=OFF >/dev/null
g++ -O2 -static -o build/bench/noop bench/noop.cc

data=tests/data
avi=$data/avi-mjpeg-320x240.avi
mpg=$data/mpeg2-720x576.mpg
worst=$data/mpeg1-audio-only.mpg  # no sequence header: the scan runs to 16000
trelvik=build/bench/trelvik

# -N: no shell in between; -i: trelvik's answer is its exit code, not 0.
hyperfine -N -i --warmup 20 --min-runs 100 --style basic \
  --export-json build/bench/results.json "$@" \
  -n floor "build/bench/noop" \
  -n "trelvik avi" "$trelvik $avi -ct8 -cb8" \
  -n "trelvik mpg" "$trelvik $mpg" \
  -n "trelvik worst" "$trelvik $worst" \
  -n "ffprobe avi" "ffprobe -v error -show_entries stream=width,height $avi" \
  -n "ffprobe mpg" "ffprobe -v error -show_entries stream=width,height $mpg" \
  -n "mediainfo avi" "mediainfo --Inform=Video;%Width%x%Height% $avi" \
  -n "mediainfo mpg" "mediainfo --Inform=Video;%Width%x%Height% $mpg" \
  >/dev/null

python3 - build/bench/results.json <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
floor = results["floor"]["mean"]
print(f"{'command':<15}{'mean':>10}{'± sd':>10}{'× floor':>10}{'× trelvik':>11}")
for name, r in results.items():
    same_file = "trelvik " + name.split()[-1]
    vs = (r["mean"] / results[same_file]["mean"]
          if same_file in results and not name.startswith("trelvik") else None)
    print(f"{name:<15}{r['mean'] * 1e3:>8.3f}ms{r['stddev'] * 1e3:>8.3f}ms"
          f"{r['mean'] / floor:>10.2f}{'' if vs is None else f'{vs:>11.1f}'}")
PY
