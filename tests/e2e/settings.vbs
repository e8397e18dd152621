' The printer settings as a script host reaches them through IDispatch (indexed
' properties read and written), with the CUPS printer "PDF" as the default
' printer. The record's rules themselves are held by the page-setup unit tests.
Dim p
Set p = CreateObject("Koravel.Print")

Check InStr(vbCrLf & p.Printers & vbCrLf, vbCrLf & "PDF" & vbCrLf) > 0, "Printers lists PDF: [" & p.Printers & "]"
CheckEqual p.Settings(3), "PDF", "Settings(kvPrinterName)"
Check IsEmpty(p.Settings(99)), "Settings(99) is empty"
p.Settings(256) = "PageOrientation = 2" & vbCrLf & "PrinterName = PDF" & vbCrLf & "RightMargin = 650"
CheckEqual p.PageOrientation, 2, "orientation survives the printer named after it"
CheckEqual p.Settings(8), 650, "RightMargin from the text"
p.Settings(9) = "many"
CheckEqual p.Settings(9), 0, "BottomMargin from a non-number"
Dim cw
cw = p.ClientWidth
p.Settings(6) = 1500
Check p.ClientWidth < cw, "a wider margin narrows the client width"

Finish "settings.vbs"
