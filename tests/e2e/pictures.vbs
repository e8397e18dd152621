' The image list and named pictures from a script: optional arguments left out, pictures as
' objects, keys as indexed properties.
Dim res, p, icon, picture
res = SourceRoot & "\com\res\"
Set p = CreateObject("Koravel.Print")

p.HTMLPicture("icon") = res & "Close.ico"
CheckEqual p.HTMLPicture("icon").Type, 3, "an .ico file loads as an icon picture"
icon = p.HTMLPicture("icon").Handle

' Icon count = index that the next added icon gets; the probe icon is taken off again.
Function IconCount()
    IconCount = p.ReplaceIcon(icon)
    p.ReplaceIcon , IconCount
End Function

CheckEqual IconCount(), 6, "the toolbar's six default icons are there from the start"
p.ReplaceIcon , 2
CheckEqual IconCount(), 5, "ReplaceIcon(, 2) removes index 2"
p.Images p.Encode64Icons(res & "Zoom.ico," & res & "Print.ico")
CheckEqual IconCount(), 7, "Images(text) appends the encoded icons"
p.Images
CheckEqual IconCount(), 0, "Images() empties the list"

p.HTMLPicture("logo") = res & "Toolbox.bmp"
Set picture = p.HTMLPicture("logo")
CheckEqual picture.Width, 423, "a BMP file loads: 16 pixels in HIMETRIC at 96 dpi"
p.HTMLPicture("copy") = p.Encode64(picture)
CheckEqual p.HTMLPicture("copy").Width, 423, "an encoded picture object loads as the same picture"
CheckEqual p.Encode64(p), "", "Encode64 of an object that is no picture"

Finish "pictures.vbs"
