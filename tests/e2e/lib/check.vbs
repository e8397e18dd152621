' Put in front of every script in e2e/ by the build, with SourceRoot (a Windows path) after it.
Option Explicit
Dim failures, checks
failures = 0 : checks = 0

Sub Check(ok, what)
    checks = checks + 1
    If Not ok Then
        failures = failures + 1
        WScript.Echo "FAIL: " & what
    End If
End Sub

Sub CheckEqual(actual, expected, what)
    Check actual = expected, what & ": got [" & actual & "], expected [" & expected & "]"
End Sub

' The summary line the test runner looks for.
Sub Finish(name)
    WScript.Echo name & ": " & (checks - failures) & " passed, " & failures & " failed"
    If failures > 0 Then WScript.Quit 1
    WScript.Quit 0
End Sub
