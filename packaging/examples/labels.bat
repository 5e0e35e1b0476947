@echo off
rem ======================================================================
rem Zerbo の使用例: バッチファイルからラベルを作る
rem
rem Zerbo.exe を 1 回呼ぶごとにバーコードを 1 つ作り、このバッチファイルと
rem 同じフォルダーに保存して、Zerbo を終了します。
rem
rem ・保存先は %~dp0 (このバッチファイルのフォルダー) から作った絶対パス
rem   です。"/SAVE:" に相対パスを書くと、Zerbo の作業フォルダーが基準に
rem   なってしまいます (起動中の Zerbo に渡されたときはその Zerbo の)。
rem ・空白を含むパスは、"/SAVE:..." のように引数全体を " で囲みます。
rem ・/EXIT は最後に置きます。/EXIT より後のデータは使われません。
rem ・Zerbo を開いたまま実行すると、最初の呼び出しは開いている Zerbo に
rem   渡され、/EXIT でその Zerbo も閉じます。先に Zerbo を閉じてください。
rem ・/VON はタスクトレイ常駐の設定を解除します。常駐の設定のまま起動
rem   すると /EXIT では終わらず、このバッチファイルが止まってしまうため
rem   です。
rem ・このファイルはシフト JIS (ANSI) で保存してください。
rem ======================================================================
setlocal
set "ZERBO=%~dp0..\Zerbo.exe"
set "OUT=%~dp0"

rem JAN (EAN-13) の商品コード。線の太さ 2 倍、外枠つき。
"%ZERBO%" 4901234567894 /JAN /TN2 /BC1 /VON "/SAVE:%OUT%JAN.BMP" /EXIT
if errorlevel 1 goto failed

rem CODE128 のロット番号。線の太さ 2 倍、下にコメント「ロット番号」。
"%ZERBO%" LOT-0815 /C128 /TN2 "/C:ロット番号" /CAD /CAC /VON "/SAVE:%OUT%LOT.BMP" /EXIT
if errorlevel 1 goto failed

rem QR コード (バージョン 3、誤り訂正レベル M) に日本語の品名。
"%ZERBO%" "品名: 六角ボルト M8" /QR2 /QRV3 /QRE1 /TN2 /VON "/SAVE:%OUT%QR.BMP" /EXIT
if errorlevel 1 goto failed

echo 保存しました: %OUT%
exit /b 0

:failed
echo Zerbo を呼び出せませんでした。Zerbo を閉じてからもう一度実行してください。
exit /b 1
