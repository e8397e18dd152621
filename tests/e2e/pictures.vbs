' The control's image list and named pictures as a VBScript host uses them:
' icons from pictures' handles, ReplaceIcon, Images with encoded text,
' Encode64 and Encode64Icons, HTMLPicture with files, texts and objects.
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

Dim fso, root, res
Set fso = CreateObject("Scripting.FileSystemObject")
root = fso.GetParentFolderName(fso.GetParentFolderName(fso.GetParentFolderName(WScript.ScriptFullName)))
res = root & "\com\res\"

Dim p
Set p = CreateObject("Koravel.Print")

' An icon handle to work with: the picture of an .ico file answers it as Handle.
p.HTMLPicture("icon") = res & "Close.ico"
Dim iconPicture, icon
Set iconPicture = p.HTMLPicture("icon")
CheckEqual iconPicture.Type, 3, "an .ico file loads as an icon picture"
icon = iconPicture.Handle
Check icon <> 0, "icon picture has a handle"

' Icon count = index that the next added icon gets; the probe icon is taken off again.
Function IconCount()
    IconCount = p.ReplaceIcon(icon)
    p.ReplaceIcon , IconCount
End Function

CheckEqual IconCount(), 6, "the toolbar's six default icons are there from the start"
CheckEqual p.ReplaceIcon(icon), 6, "ReplaceIcon with only an icon adds it at the end"
CheckEqual p.ReplaceIcon(icon, 0), 0, "ReplaceIcon with an index replaces in place"
CheckEqual IconCount(), 7, "replacing keeps the count"
p.ReplaceIcon , 2
CheckEqual IconCount(), 6, "ReplaceIcon(, 2) removes index 2"
p.ReplaceIcon , 99
CheckEqual IconCount(), 6, "removing an index past the end changes nothing"
p.ReplaceIcon
CheckEqual IconCount(), 0, "ReplaceIcon() clears the list"
p.ReplaceIcon icon
p.ReplaceIcon , 0
CheckEqual IconCount(), 0, "removing the only icon leaves a usable empty list"

' Encoded icons are appended; Images(0) empties.
Dim oneIcon, twoIcons
oneIcon = p.Encode64Icons(res & "Zoom.ico")
Check Len(oneIcon) > 0, "Encode64Icons of an .ico file gives text"
twoIcons = p.Encode64Icons(res & "Zoom.ico," & res & "Print.ico")
p.Images oneIcon
CheckEqual IconCount(), 1, "Images(text) of one icon"
p.Images twoIcons
CheckEqual IconCount(), 3, "Images(text) appends: Print.ico's 32 x 32 comes as one 16 x 16 icon"
p.Images "this is not an icon list"
p.Images "gBhMRjgI"
CheckEqual IconCount(), 3, "text that is no icon list adds nothing"
p.Images 0
CheckEqual IconCount(), 0, "Images(0) empties the list"
p.Images twoIcons
p.Images
CheckEqual IconCount(), 0, "Images() empties the list too"
CheckEqual p.Encode64Icons(""), "", "no files, no text"
CheckEqual p.Encode64Icons(res & "no-such-file.ico"), "", "a missing file has no icons"

' Named pictures.
Dim bmp, picture, width
bmp = res & "Toolbox.bmp"
p.HTMLPicture("logo") = bmp
Set picture = p.HTMLPicture("logo")
CheckEqual picture.Type, 1, "a BMP file loads as a bitmap picture"
width = picture.Width
CheckEqual width, 423, "16 pixels in HIMETRIC at 96 dpi"
Check IsEmpty(p.HTMLPicture("Logo")), "keys are case-sensitive"
p.HTMLPicture("Logo") = res & "Zoom.ico"
CheckEqual p.HTMLPicture("Logo").Type, 3, "Logo and logo are different pictures"
CheckEqual p.HTMLPicture("logo").Type, 1, "logo kept its own picture"
Check IsEmpty(p.HTMLPicture("none")), "a key not in the map gives Empty"

Dim fromFile, fromObject
fromFile = p.Encode64(bmp)
fromObject = p.Encode64(picture)
Check Len(fromFile) > 0, "Encode64 of a file"
Check Len(fromObject) > 0, "Encode64 of a picture object"
p.HTMLPicture("copy") = fromFile
CheckEqual p.HTMLPicture("copy").Width, width, "an encoded file loads as the same picture"
p.HTMLPicture("copy2") = fromObject
CheckEqual p.HTMLPicture("copy2").Width, width, "an encoded picture loads as the same picture"
p.HTMLPicture("object") = picture
CheckEqual p.HTMLPicture("object").Width, width, "a picture object is stored"
CheckEqual p.Encode64(res & "no-such-file.bmp"), "", "Encode64 of a missing file"
CheckEqual p.Encode64(p), "", "Encode64 of an object that is no picture"

p.HTMLPicture("copy") = res & "no-such-file.bmp"
Check IsEmpty(p.HTMLPicture("copy")), "an unreadable file removes the key"
p.HTMLPicture("copy2") = 0
Check IsEmpty(p.HTMLPicture("copy2")), "0 removes the key"
p.HTMLPicture("object") = "%%% not a picture %%%"
Check IsEmpty(p.HTMLPicture("object")), "text that is no picture removes the key"
Check Not IsEmpty(p.HTMLPicture("logo")), "other keys stay"
p.HTMLPicture("") = bmp
Check IsEmpty(p.HTMLPicture("logo")) And IsEmpty(p.HTMLPicture("Logo")), "an empty key removes all pictures"

WScript.Echo "pictures.vbs: " & (checks - failures) & " passed, " & failures & " failed"
