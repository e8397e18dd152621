' After regsvr32 /u the ProgID no longer creates anything.
On Error Resume Next
Dim p
Set p = CreateObject("Koravel.Print")
If Err.Number = 0 Then
    WScript.Echo "FAIL: Koravel.Print still creatable after unregistration"
    WScript.Quit 1
End If
WScript.Echo "unregistered.vbs: 1 passed, 0 failed"
WScript.Quit 0
