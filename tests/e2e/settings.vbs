' The printer settings as a script host reaches them through IDispatch, with the
' CUPS printer "PDF" (A4, 300 dpi) as the default printer. The record's rules
' themselves are held by the page-setup unit tests.
Dim p
Set p = CreateObject("Koravel.Print")

Dim printers
printers = p.Printers
Check InStr(vbCrLf & printers & vbCrLf, vbCrLf & "PDF" & vbCrLf) > 0, "Printers lists PDF: [" & printers & "]"
CheckEqual p.Settings(3), "PDF", "Settings(kvPrinterName)"
CheckEqual p.Settings(6), 500, "Settings(kvLeftMargin)"
Check IsEmpty(p.Settings(99)), "Settings(99) is empty"

Dim lines
lines = Split(p.Settings(256), vbCrLf)
CheckEqual UBound(lines) + 1, 14, "settings text lines"
CheckEqual lines(7), "LeftMargin = 500", "LeftMargin line"
p.Settings(256) = "PageOrientation = 2" & vbCrLf & "PrinterName = PDF" & vbCrLf & "RightMargin = 650"
CheckEqual p.PageOrientation, 2, "orientation survives the printer named after it"
CheckEqual p.Settings(8), 650, "RightMargin from the text"

' Turning the page through the property swaps the paper's sides.
Dim w, h
w = p.Settings(12) : h = p.Settings(13)
p.PageOrientation = 1
CheckEqual p.Settings(12), h, "portrait width"
CheckEqual p.Settings(13), w, "portrait height"

' Values that do not convert count as 0.
p.Settings(9) = "many"
CheckEqual p.Settings(9), 0, "BottomMargin from a non-number"

' The client size is positive and shrinks by the margins added.
Dim cw
cw = p.ClientWidth
Check cw > 0 And p.ClientHeight > 0, "client size"
p.Settings(6) = 1500
Check p.ClientWidth < cw, "a wider margin narrows the client width"

Finish "settings.vbs"
