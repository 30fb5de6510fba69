#!/usr/bin/env bash
# Times whole vennlo-cli runs against the byte-conversion floor and measures their peak memory.
#
# The floor of a make is what any program must do at least: decode the list from CP932 and encode the
# page into CP932. It is timed with iconv on the same list and the page vennlo-cli made; every figure is
# the minimum of RUNS runs. Peak resident memory comes from /usr/bin/time -v.
#   shelf labels, 10,000 products       time against the floor
#   ledger, 100,000 products            time against the floor
#   ledger, 400,000 products            peak memory
#   price tags, 100,000 copies          peak memory
# Usage: bench_cli_floor.sh BUILD_DIR [RUNS]   (build with -DCMAKE_BUILD_TYPE=Release to measure)
set -euo pipefail

build=${1:?build dir}
runs=${2:-7}
cli="$build/vennlo-cli"
[ -x "$cli" ] || { echo "bench_cli_floor: $cli is not built" >&2; exit 1; }
for tool in iconv python3 /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "bench_cli_floor: $tool is not installed" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config"
mkdir -p "$HOME"

# A list of N products as a shop keeps it: codes, Japanese names, prices, remarks and JAN codes.
make_list() {
    python3 - "$1" "$2" <<'PY'
import sys
n, path = int(sys.argv[1]), sys.argv[2]
def jan(i):
    body = "49%010d" % (i % 10**10)
    s = sum(int(c) * (3 if k % 2 else 1) for k, c in enumerate(body))
    return body + str((10 - s % 10) % 10)
with open(path, "wb") as f:
    for i in range(n):
        line = '"A-%06d","国産りんごジュース %d 本入り",%d,"季節限定の品","%sB"\r\n' % (i, i % 97, 100 + i % 9000, jan(i))
        f.write(line.encode("cp932"))
PY
}

seconds_min() { # command... : prints the minimum wall-clock seconds of RUNS runs
    python3 - "$runs" "$@" <<'PY'
import subprocess, sys, time
runs, cmd = int(sys.argv[1]), sys.argv[2:]
best = None
for _ in range(runs):
    t = time.perf_counter()
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL)
    d = time.perf_counter() - t
    best = d if best is None or d < best else best
print(f"{best:.3f}")
PY
}

peak_mb() { # command... : prints the peak resident memory in MB
    /usr/bin/time -v "$@" 2> "$work/time.txt" > /dev/null
    awk -F': ' '/Maximum resident set size/ { printf "%.0f", $2 / 1024 }' "$work/time.txt"
}

compare() { # name list page-name cli-args...
    local name=$1 list=$2 page=$3
    shift 3
    "$cli" --out "$work/out" "$@" > /dev/null
    local ours decode encode
    ours=$(seconds_min "$cli" --out "$work/out" "$@")
    iconv -f CP932 -t UTF-8 "$work/out/$page" > "$work/page.utf8"
    decode=$(seconds_min iconv -f CP932 -t UTF-8 "$list" -o /dev/null)
    encode=$(seconds_min iconv -f UTF-8 -t CP932 "$work/page.utf8" -o /dev/null)
    python3 -c "
ours, floor = $ours, $decode + $encode
print(f'$name: vennlo-cli {ours:.3f} s, floor {floor:.3f} s (iconv decode $decode + encode $encode), ratio {ours / floor:.2f}')"
}

make_list 10000 "$work/list10k.csv"
make_list 100000 "$work/list100k.csv"
make_list 400000 "$work/list400k.csv"
make_list 10 "$work/list10.csv"

compare "shelf labels 10,000" "$work/list10k.csv" temp.html shelf "$work/list10k.csv"
compare "ledger 100,000" "$work/list100k.csv" dtemp.html ledger "$work/list100k.csv"
echo "ledger 400,000: peak resident $(peak_mb "$cli" --out "$work/out" ledger "$work/list400k.csv") MB," \
    "page $(($(stat -c %s "$work/out/dtemp.html") / 1048576)) MB"
echo "price tags 100,000 copies: peak resident" \
    "$(peak_mb "$cli" --out "$work/out" tags "$work/list10.csv" --check 1-10 --copies 10000,10000,10000,10000,10000,10000,10000,10000,10000,10000) MB," \
    "page $(($(stat -c %s "$work/out/ctemp.html") / 1048576)) MB"
