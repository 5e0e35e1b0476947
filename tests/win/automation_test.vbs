' An office user's script driving Zerbo through "Zerbo.Auto".
'   cscript //nologo automation_test.vbs FOLDER RESULTS SAVE-ERROR
' Saves into FOLDER and writes RESULTS: every failed check, or "ok" when all held. A script
' that stops on an error writes nothing, which the test takes as a failure too.
' SAVE-ERROR is the description a save into a missing folder must give.
Dim folder, results, failures
folder = WScript.Arguments(0)
results = WScript.Arguments(1)
failures = ""

Sub Check(ok, what)
    If Not ok Then failures = failures & what & vbCrLf
End Sub

Set z = CreateObject("Zerbo.Auto")
z.CopyType = 0
z.CodeType = 0
Check z.CodeType = 0, "CodeType 0"
z.Code = "4901234567894"
Check z.Code = "4901234567894", "Code"
z.Height = 150
Check z.Height = 150, "Height 150 accepted"
z.Height = 201
Check z.Height = 150, "Height 201 ignored"
z.CodeType = 13
Check z.CodeType = 0, "CodeType 13 ignored"
z.BoxDraw = 5
Check z.BoxDraw = 1, "BoxDraw 5 reads 1"
z.StartChar = "ABC"
Check z.StartChar = "A", "StartChar takes its first character"
Check z.Execute = 0, "Execute"
Check z.SaveFile(folder & "\VBS.BMP") = 1, "SaveFile"

Set other = CreateObject("Zerbo.Auto")
other.Code = "123"
Check other.Execute = -1, "an invalid JAN fails"
Check z.Code = "123", "objects share the settings"
Set other = Nothing

On Error Resume Next
r = z.SaveFile(folder & "\missing\A.BMP")
Check Err.Number <> 0, "a save into a missing folder raises"
Check Err.Description = WScript.Arguments(2), "its description: " & Err.Description
Check Err.Source = "Zerbo.Auto", "its source: " & Err.Source
On Error GoTo 0

z.Code = "4901234567894"
z.Execute
Set z = Nothing

If failures = "" Then failures = "ok"
Set fso = CreateObject("Scripting.FileSystemObject")
Set f = fso.CreateTextFile(results, True, True)
f.Write failures
f.Close
