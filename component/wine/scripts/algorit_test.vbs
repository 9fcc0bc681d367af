' algorit from VBScript: the object by its ProgID, script arrays as literals
' and variables, and failures through Err.  cscript ends with exit code 0 even
' after a script error, so the runner also reads the last line.
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

' Wine's script engine has no Join.
Function Joined(a)
  Dim i
  Joined = ""
  For i = LBound(a) To UBound(a)
    If i > LBound(a) Then Joined = Joined & ","
    Joined = Joined & a(i)
  Next
End Function

Dim conv : Set conv = CreateObject("convQVproj.convQV")

Expect "Array literal", conv.algorit(Array(50, 0, 0, 10, 0, 0, "N", "E")), "m11:6 r236"
Expect "reference point", conv.algorit(Array(48, 8, 13, 11, 34, 31, "N", "E")), "m5:0 r0"

Dim west : west = Array(40, 0, 0, 74, 0, 0, "N", "W")
Expect "array variable", conv.algorit(west), "m9:2537 r6536"
Expect "the array variable is intact", Joined(west), "40,0,0,74,0,0,N,W"

Dim south(7)
south(0) = 33 : south(1) = 54 : south(2) = 0 : south(3) = 151
south(4) = 12 : south(5) = 0 : south(6) = "S" : south(7) = "E"
Expect "fixed-size array", conv.algorit(south), "m2:1187 r16328"

Expect "numeric texts and Booleans", conv.algorit(Array("50", True, 60, "10", False, Empty, "N", "E")), "m11:6 r236"
Expect "beyond the south pole", conv.algorit(Array(95, 0, 0, 10, 0, 0, "S", "E")), "m5:2211 r15358"

Dim r
On Error Resume Next
r = conv.algorit(Array(50, 0, 0, "zehn", 0, 0, "N", "E"))
' The DISP_E_ codes reach Err.Number as they are; FACILITY_CONTROL ones as
' their plain Automation number.
Expect "other text: Err.Number", Hex(Err.Number), "80020005"
Expect "other text: Err.Description", Err.Description, "Type mismatch"
Err.Clear
r = conv.algorit(Array(50, Null, 0, 10, 0, 0, "N", "E"))
Expect "Null: Err.Number", Err.Number, 94
Expect "Null: Err.Description", Err.Description, "Invalid use of Null"
Err.Clear
r = conv.algorit(Array(50, 0, 0, 10, 0, 0, "N"))
Expect "seven elements: Err.Number", Hex(Err.Number), "8002000B"
Expect "seven elements: Err.Description", Err.Description, "Subscript out of range"
Err.Clear
r = conv.algorit(Array(50, 0, 0, 1E+39, 0, 0, "N", "E"))
Expect "beyond the float range: Err.Number", Hex(Err.Number), "8002000A"
Expect "beyond the float range: Err.Description", Err.Description, "Overflow"
Err.Clear
r = "untouched"
r = conv.algorit(Array(50, 0, 0, 10, 0, 0, "N"))
Expect "no result on failure", r, "untouched"
Err.Clear
On Error GoTo 0

WScript.Echo "vbscript: " & failures & " failed"
WScript.Quit failures
