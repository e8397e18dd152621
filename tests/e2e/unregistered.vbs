' After regsvr32 /u the ProgID no longer creates anything.
Dim p
On Error Resume Next
Set p = CreateObject("Koravel.Print")
Check Err.Number <> 0, "Koravel.Print not creatable after unregistration"
On Error GoTo 0
Finish "unregistered.vbs"
