' ======================================================================
' Zerbo の使用例: VBScript から "Zerbo.Auto" を使う
'
' 使う前に一度、コマンドプロンプトで Zerbo.exe /REGSERVER を実行して
' オートメーションのクラスを登録してください。
' Zerbo が起動していなければ自動で起動し (ウィンドウは表示されません)、
' このスクリプトが終わると Zerbo も終了します。
' 変えた設定 (コードの種類など) は Zerbo の設定として保存されます。
'
' 実行: ダブルクリック、またはコマンドプロンプトで
'   cscript //nologo automation.vbs
' 作ったバーコードは、このスクリプトと同じフォルダーに保存します。
' このファイルは UTF-16 LE (BOM 付き) で保存してください。Windows Script
' Host は UTF-8 のファイルを正しく読めません。
' ======================================================================
Option Explicit

Dim fso, folder, zerbo
Set fso = CreateObject("Scripting.FileSystemObject")
' 保存先はこのスクリプトのフォルダー (絶対パス)。相対パスは Zerbo の作業
' フォルダーが基準になってしまいます。
folder = fso.GetParentFolderName(WScript.ScriptFullName)

On Error Resume Next
Set zerbo = CreateObject("Zerbo.Auto")
If Err.Number <> 0 Then
    WScript.Echo "Zerbo.Auto を作れません: " & Err.Description & vbCrLf & _
        "Zerbo.exe /REGSERVER で登録してから実行してください。"
    WScript.Quit 1
End If
On Error GoTo 0

' CODE128 (種類 10)、線の太さ 2 倍 (BarScale 1)、コード文字列つき。
zerbo.CodeType = 10
zerbo.BarScale = 1
zerbo.AddCodeChar = 1
zerbo.Code = "ABC-12345"
MakeAndSave folder & "\AUTO-CODE128.BMP"

' QR コード (種類 12)、バージョン 4、誤り訂正レベル M (1)、日本語のデータ。
zerbo.CodeType = 12
zerbo.QRVersion = 4
zerbo.QRErrLevel = 1
zerbo.Code = "品番 A-100 入荷日 2024年4月1日"
MakeAndSave folder & "\AUTO-QR.BMP"

Set zerbo = Nothing
WScript.Echo "保存しました: " & folder

' 作って保存する。作れないとき、保存できないときは知らせて終わる。
Sub MakeAndSave(path)
    If zerbo.Execute <> 0 Then
        WScript.Echo "バーコードを作れませんでした: " & zerbo.Code
        WScript.Quit 1
    End If
    If zerbo.SaveFile(path) <> 1 Then
        WScript.Echo "保存できませんでした: " & path
        WScript.Quit 1
    End If
End Sub
