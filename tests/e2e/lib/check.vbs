' Shared by every script in e2e/: the build puts this in front of each one, with
' SourceRoot (the repository as a Windows path) defined after it.
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

' The summary line the test runner looks for; the exit code tells the rest.
Sub Finish(name)
    WScript.Echo name & ": " & (checks - failures) & " passed, " & failures & " failed"
    If failures > 0 Then WScript.Quit 1
    WScript.Quit 0
End Sub
