' The image list and named pictures as a script host uses them: optional
' arguments left out, pictures coming back as objects, keys as indexed
' properties. What the lists and the map do with odd input is held by unit tests.
Dim res
res = SourceRoot & "\com\res\"

Dim p
Set p = CreateObject("Koravel.Print")

' An icon handle to work with: the picture of an .ico file answers it as Handle.
p.HTMLPicture("icon") = res & "Close.ico"
CheckEqual p.HTMLPicture("icon").Type, 3, "an .ico file loads as an icon picture"
Dim icon
icon = p.HTMLPicture("icon").Handle
Check icon <> 0, "icon picture has a handle"

' Icon count = index that the next added icon gets; the probe icon is taken off again.
Function IconCount()
    IconCount = p.ReplaceIcon(icon)
    p.ReplaceIcon , IconCount
End Function

CheckEqual IconCount(), 6, "the toolbar's six default icons are there from the start"
CheckEqual p.ReplaceIcon(icon, 0), 0, "ReplaceIcon with an index replaces in place"
p.ReplaceIcon , 2
CheckEqual IconCount(), 5, "ReplaceIcon(, 2) removes index 2"
p.ReplaceIcon
CheckEqual IconCount(), 0, "ReplaceIcon() clears the list"

Dim twoIcons
twoIcons = p.Encode64Icons(res & "Zoom.ico," & res & "Print.ico")
p.Images twoIcons
CheckEqual IconCount(), 2, "Images(text) appends the encoded icons"
p.Images 0
CheckEqual IconCount(), 0, "Images(0) empties the list"
p.Images twoIcons
p.Images
CheckEqual IconCount(), 0, "Images() empties the list too"

Dim bmp, picture
bmp = res & "Toolbox.bmp"
p.HTMLPicture("logo") = bmp
Set picture = p.HTMLPicture("logo")
CheckEqual picture.Type, 1, "a BMP file loads as a bitmap picture"
CheckEqual picture.Width, 423, "16 pixels in HIMETRIC at 96 dpi"
Check IsEmpty(p.HTMLPicture("none")), "a key not in the map gives Empty"
p.HTMLPicture("copy") = p.Encode64(picture)
CheckEqual p.HTMLPicture("copy").Width, 423, "an encoded picture object loads as the same picture"
p.HTMLPicture("object") = picture
CheckEqual p.HTMLPicture("object").Width, 423, "a picture object is stored"
CheckEqual p.Encode64(p), "", "Encode64 of an object that is no picture"
p.HTMLPicture("copy") = 0
Check IsEmpty(p.HTMLPicture("copy")), "0 removes the key"

Finish "pictures.vbs"
