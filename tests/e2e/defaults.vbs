' A Print object through IDispatch: defaults, indexed properties, the settings of the default
' printer "PDF", and the error info of the methods that need a page provider.
Dim p, m, d, v
Set p = CreateObject("Koravel.Print")

CheckEqual p.AutoRelease, True, "AutoRelease"
CheckEqual p.Font.Name, "Times New Roman", "Font.Name"
p.Options = Array(1, "two")
d = p.Options
CheckEqual d(1), "two", "Options keeps an array"
p.Version = "9.9.9.9"
CheckEqual p.Version, "1.0.0.1", "Version, whose put is ignored"
p.ItemCaption(104) = "Print#7"
CheckEqual p.ItemCaption(104), "Print", "ItemCaption(104) shown before the #"

Check InStr(vbCrLf & p.Printers & vbCrLf, vbCrLf & "PDF" & vbCrLf) > 0, "Printers lists PDF: [" & p.Printers & "]"
CheckEqual p.Settings(3), "PDF", "Settings(kvPrinterName)"
Check IsEmpty(p.Settings(99)), "Settings(99) is empty"
p.Settings(256) = "PageOrientation = 2" & vbCrLf & "PrinterName = PDF" & vbCrLf & "RightMargin = 650"
CheckEqual p.PageOrientation, 2, "orientation survives the printer named after it"
CheckEqual p.Settings(8), 650, "RightMargin from the text"
v = p.ClientWidth
p.Settings(6) = 1500
Check p.ClientWidth < v, "a wider margin narrows the client width"

On Error Resume Next
d = p.Debug
' VBScript reports E_NOTIMPL as its own error 445, "Object doesn't support this action".
CheckEqual Err.Number, 445, "Debug fails with E_NOTIMPL"
For Each m In Array("Preview", "DoPrint", "CopyTo")
    Err.Clear
    Select Case m
        Case "Preview": p.Preview
        Case "DoPrint": p.DoPrint
        Case "CopyTo": d = p.CopyTo("C:\page%i.emf")
    End Select
    CheckEqual Hex(Err.Number), "80020009", m & " error number"
    CheckEqual Err.Source, "Koravel.Print", m & " error source"
    CheckEqual Err.Description, "The PrintExt/PrintExts property must be set before calling " & m & " method", m & " error description"
Next
' The text members, late-bound: nothing is recorded without a provider.
CheckEqual p.FindText("Total"), 0, "FindText finds nothing"
Err.Clear
d = p.PageText(1)
CheckEqual Hex(Err.Number), "8002000B", "PageText(1) error number"
CheckEqual Err.Description, "PageText: page 1 is not one of the 0 recorded pages", "PageText(1) error description"
On Error GoTo 0

Finish "defaults.vbs"
