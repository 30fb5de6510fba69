#!/usr/bin/env bash
# Files open the program, seen over the accessibility bus as a user sees them: `vennlo LIST.csv`
# starts with the list open; a second start with a shelf-label design hands it to the running copy,
# which opens its designer with that design, and the second start ends at once.
set -euo pipefail
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/files"
cp "$build/sample.csv" "$work/files/list.csv"
cp "$build/名刺カードサンプル.hdn" "$work/files/design.hdn"

cat >"$work/frame.py" <<'PY'
import sys, time
import pyatspi
# Waits until the running vennlo shows a frame or dialog of that name; prints what it saw.
want, deadline, seen = sys.argv[1], time.time() + 30, set()
while time.time() < deadline:
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        a = desktop.getChildAtIndex(i)
        if a is None or (a.name or "").lower() != "vennlo":
            continue
        for j in range(a.childCount):
            w = a.getChildAtIndex(j)
            if w is not None:
                seen.add(f"{w.getRoleName()}: {w.name}")
                if w.name == want:
                    sys.exit(0)
    time.sleep(0.5)
print("windows seen: " + "; ".join(sorted(seen)))
sys.exit(1)
PY

cat >"$work/session.sh" <<INNER
#!/usr/bin/env bash
set -u
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_HOME="$work/home/.config"
export XDG_RUNTIME_DIR="$work/run" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
mkdir -p "\$HOME" "\$XDG_RUNTIME_DIR"; chmod 700 "\$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
sleep 1
cd "$work/files"
"$build/vennlo" list.csv >/dev/null 2>&1 &
app=\$!
if /usr/bin/python3 "$work/frame.py" "ぽらね値札作成 [list.csv]"; then echo "ok: the list given at start is open"
else echo "FAIL: the list given at start is not open"; fi
timeout 20 "$build/vennlo" "$work/files/design.hdn" >/dev/null 2>&1
echo "second start ended with \$?"
if /usr/bin/python3 "$work/frame.py" "棚札作成ツール [design.hdn]"; then echo "ok: the design handed over is open in its designer"
else echo "FAIL: the design handed over is not open"; fi
kill \$app 2>/dev/null
wait \$app 2>/dev/null
exit 0
INNER
chmod +x "$work/session.sh"
timeout 180 xvfb-run -a -s '-screen 0 1280x1024x24' dbus-run-session -- "$work/session.sh" >"$work/out.txt" 2>/dev/null || true
cat "$work/out.txt"
grep -qx "second start ended with 0" "$work/out.txt" || { echo "FAIL: the second start did not end by itself"; exit 1; }
! grep -q '^FAIL' "$work/out.txt" && [ "$(grep -c '^ok' "$work/out.txt")" -eq 2 ]
