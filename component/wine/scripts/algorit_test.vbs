' algorit from VBScript: the object by its ProgID, the algorit cases of the
' file named as the argument, each as an array value, an array variable and a
' fixed-size array, and failures through Err.  cscript ends with exit code 0
' even after a script error, so the runner also reads the last line.  (Wine's
' engine has no Eval, cannot index a call's result and ReDims only a plain
' variable.)
Option Explicit

Dim failures : failures = 0

Sub Expect(what, got, wanted)
  If CStr(got) = CStr(wanted) Then
    WScript.Echo "ok: " & what
  Else
    WScript.Echo "FAIL: " & what & ": got """ & got & """, wanted """ & wanted & """"
    failures = failures + 1
  End If
End Sub

' A field in the notation of Automation text files; whole numbers become
' Integers, as the script's own literals would.
Function FieldValue(f)
  Select Case Left(f, 1)
    Case "": FieldValue = Empty
    Case "#": If f = "#NULL#" Then FieldValue = Null Else FieldValue = (f = "#TRUE#")
    Case """": FieldValue = Mid(f, 2, Len(f) - 2)
    Case Else
      FieldValue = CDbl(Replace(f, ".", Mid(CStr(1.5), 2, 1)))
      If FieldValue = Fix(FieldValue) And Abs(FieldValue) < 32768 Then FieldValue = CInt(FieldValue)
  End Select
End Function

' Err.Number for an Automation error number: its DISP_E_ code where there is one.
Function ErrNumber(n)
  ErrNumber = Hex(n)
  If n = 6 Then ErrNumber = "8002000A"
  If n = 9 Then ErrNumber = "8002000B"
  If n = 13 Then ErrNumber = "80020005"
End Function

' The kinds and values of the elements, to tell whether a call changed them.
Function Signature(a)
  Dim i
  For i = 0 To UBound(a) : Signature = Signature & VarType(a(i)) & "=" & a(i) & "," : Next
End Function

Dim conv : Set conv = CreateObject("convQVproj.convQV")

' The code text, or "untouched error NUMBER DESCRIPTION": a failure leaves the
' variable that would take the result as it was.
Function Outcome(elements, how)
  Dim r, fixed(7), i
  r = "untouched"
  On Error Resume Next
  If how = "an array value" Then r = conv.algorit((elements))
  If how = "an array variable" Then r = conv.algorit(elements)
  If how = "a fixed-size array" Then
    For i = 0 To 7 : fixed(i) = elements(i) : Next
    r = conv.algorit(fixed)
  End If
  Outcome = r
  If Err.Number <> 0 Then Outcome = r & " error " & Hex(Err.Number) & " " & Err.Description
End Function

Dim file : Set file = CreateObject("Scripting.FileSystemObject").OpenTextFile(WScript.Arguments(0))
Dim lineNumber, body, arrow, fields, elements, before, expected, i, how, count
lineNumber = 0 : count = 0
Do Until file.AtEndOfStream
  body = file.ReadLine & " #"
  body = Left(body, InStr(body, " #") - 1)
  lineNumber = lineNumber + 1
  arrow = InStr(body, " => ")
  If Left(body, 8) = "algorit " And arrow > 0 Then
    count = count + 1
    fields = Split(Mid(body, 9, arrow - 9), ",")
    ReDim elements(UBound(fields))
    For i = 0 To UBound(fields) : elements(i) = FieldValue(fields(i)) : Next
    expected = Trim(Mid(body, arrow + 4))
    fields = Split(expected, " ")
    If Left(expected, 1) = """" Then
      expected = Mid(expected, 2, Len(expected) - 2)
    Else
      expected = "untouched error " & ErrNumber(CInt(fields(1))) & Mid(expected, Len(fields(0) & fields(1)) + 2)
    End If
    before = Signature(elements)
    For Each how In Array("an array value", "an array variable", "a fixed-size array")
      If how <> "a fixed-size array" Or UBound(elements) = 7 Then
        Expect "line " & lineNumber & " as " & how, Outcome(elements, how), expected
        Expect "line " & lineNumber & ": the array is intact", Signature(elements), before
      End If
    Next
  End If
Loop
file.Close
Expect "cases read", count > 0, True

WScript.Echo "vbscript: " & failures & " failed"
WScript.Quit failures
