Attribute VB_Name = "ZerboDDE"
' ======================================================================
' Zerbo の使用例: 表計算ソフトのマクロ (VBA) から DDE で Zerbo を動かす
'
' VBA の編集画面 (Alt+F11) の [ファイル] → [ファイルのインポート] で
' このファイルを読み込みます。ブックを保存し、Zerbo を起動してから
' マクロ「ラベルを作る」を実行すると、バーコードをブックと同じフォルダー
' に保存します (クリップボードにもコピーされます)。
'
' DDE のサービス名は "Zerbo"、トピックは "DdeZerboconv" です。
' DDEExecute の文字列が Zerbo へのコマンドで、vbCrLf で区切れば 1 回で
' 何行でも送れます。各行は大文字に変換されてから実行されます。
' 保存先は絶対パスで書きます。相対パスは Zerbo の作業フォルダーが基準に
' なってしまいます。
' このファイルはシフト JIS (ANSI) で保存してください。
' ======================================================================
Option Explicit

Sub ラベルを作る()
    Dim folder As String
    Dim channel As Long

    If ThisWorkbook.Path = "" Then
        MsgBox "先にこのブックを保存してください (保存先はブックと同じフォルダーです)。", vbExclamation
        Exit Sub
    End If
    folder = ThisWorkbook.Path & "\"

    On Error GoTo NotRunning
    channel = DDEInitiate("Zerbo", "DdeZerboconv")
    On Error GoTo 0

    ' JAN (EAN-13)、線の太さ 2 倍。
    DDEExecute channel, "CODE JAN" & vbCrLf & "THIN 2" & vbCrLf & _
        "WRITE 4901234567894" & vbCrLf & "SAVE " & folder & "DDE-JAN.BMP"
    ' CODE128、線の太さ 2 倍、コード文字列つき。
    DDEExecute channel, "CODE 128" & vbCrLf & "THIN 2" & vbCrLf & "CODECHAR TRUE" & vbCrLf & _
        "WRITE DDE-0815" & vbCrLf & "SAVE " & folder & "DDE-CODE128.BMP"

    DDETerminate channel
    MsgBox "保存しました: " & folder, vbInformation
    Exit Sub

NotRunning:
    MsgBox "Zerbo に接続できません。先に Zerbo.exe を起動してください。", vbExclamation
End Sub
