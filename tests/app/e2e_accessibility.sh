#!/usr/bin/env bash
# Starts the program on a virtual display with an accessibility bus and checks that every menu
# entry, button and entry field of the main window can be found by its caption, as a screen reader
# or UI automation finds them; then drives the window over the bus (atspi_checks.py): value labels
# read with their values, text set over the bus acting as typed, the list's right-click menu, and
# the tax dialog's price basis changed through its accessible action; the JAN field, both designer
# windows with the font dialog and their previews, and the browser dialog.
set -euo pipefail
build="$1"
src="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/session.sh" <<INNER
#!/usr/bin/env bash
set -u
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_HOME="$work/home/.config"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "\$HOME" "\$XDG_RUNTIME_DIR"; chmod 700 "\$XDG_RUNTIME_DIR"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_QPA_PLATFORM
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
sleep 1
"$build/vennlo" >/dev/null 2>&1 &
app=\$!
sleep 3
/usr/bin/python3 "$src/tests/app/atspi_tree.py" 40 > "$work/tree.txt"
timeout 300 /usr/bin/python3 "$src/tests/app/atspi_checks.py" > "$work/checks.txt" 2>&1
kill \$app 2>/dev/null
wait \$app 2>/dev/null
exit 0
INNER
chmod +x "$work/session.sh"
timeout 420 xvfb-run -a -s '-screen 0 1280x1024x24' dbus-run-session -- "$work/session.sh" 2>/dev/null

expected=(
  "frame: ぽらね値札作成 [新規]"
  "menu item: ファイル(F)" "menu item: 新規作成(N)" "menu item: 開く(O)..." "menu item: 上書き保存(S)"
  "menu item: 名前を付けて保存(A)..." "menu item: 旧フォルダからのファイルコピー(D)..."
  "menu item: Excelファイルのインポート(E)..." "menu item: 終了(X)"
  "menu item: 編集(E)" "menu item: 消費税計算(C)" "menu item: 新規(N)" "menu item: 削除(D)" "menu item: 登録(W)"
  "menu item: １つ上へ移動" "menu item: １つ下へ移動" "menu item: データ内検索(F)..."
  "menu item: 設定(S)" "menu item: データリストの表示設定(L)..." "menu item: ブラウザの選択(B)..."
  "menu item: 消費税率・価格基準(T)..."
  "menu item: 実行(A)" "menu item: 棚札作成(T)..." "menu item: 貼付用値札作成(L)..."
  "menu item: 商品台帳作成ツール(D)..." "menu item: チェックディジット一括挿入(C)"
  "menu item: ヘルプ(H)" "menu item: ヘルプ(H)..." "menu item: バージョン情報(A)..." "menu item: WebSite(W)"
  "menu item: ReadMeを開く(M)"
  "push button: 棚札作成(T)..." "push button: 貼付用値札作成(L)..." "push button: 商品台帳作成(D)..."
  "push button: 終 了 (Q)" "push button: 税　計 算 (C)" "push button: 登 録 (W)" "push button: 削 除 (R)"
  "push button: 新 規 (N)" "push button: ↑" "push button: ↓"
  "text: 品番等:" "text: 商品名:" "text: 税込価格:" "text: 備考:" "text: JANコード:"
  "radio button: 標準(13桁)" "radio button: 短縮(8桁)"
  "table column header: 品番等" "table column header: 商品名" "table column header: JANコード"
)
missing=0
for e in "${expected[@]}"; do
  if ! grep -qxF -- "$e" "$work/tree.txt"; then
    echo "not reachable over AT-SPI: $e"
    missing=$((missing + 1))
  fi
done
total=${#expected[@]}
echo "accessibility: $((total - missing)) of $total captions found"
cat "$work/checks.txt"
failed=$(grep -c '^FAIL' "$work/checks.txt" || true)
passed=$(grep -c '^ok' "$work/checks.txt" || true)
echo "accessibility: $passed checks over the bus passed, $failed failed"
[ "$missing" -eq 0 ] && [ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
