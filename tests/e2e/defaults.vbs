' A fresh Print object as a script host sees it: defaults through IDispatch,
' a clamp, and the error info of the methods that need a page provider.
Dim p
Set p = CreateObject("Koravel.Print")

CheckEqual p.Caption, "Untitled Document", "Caption"
CheckEqual p.PageNumberFormat, "<%page%>", "PageNumberFormat"
CheckEqual p.StartPageNumber, 1, "StartPageNumber"
CheckEqual p.ShowPageNumbers, True, "ShowPageNumbers"
CheckEqual p.PageNumbersPosition, 1, "PageNumbersPosition"
CheckEqual p.PageNumbersAlignment, 2, "PageNumbersAlignment"
CheckEqual p.CaptionPosition, 0, "CaptionPosition"
CheckEqual p.CaptionAlignment, 1, "CaptionAlignment"
CheckEqual p.AsScreen, False, "AsScreen"
CheckEqual p.AutoRelease, True, "AutoRelease"
CheckEqual p.ShowMargins, True, "ShowMargins"
CheckEqual p.Foreground, 0, "Foreground"
CheckEqual p.PageFrameStyle, 0, "PageFrameStyle"
CheckEqual p.PagesCount, 0, "PagesCount"
CheckEqual p.hWnd, 0, "hWnd"
CheckEqual p.PageRange, "", "PageRange"
Check IsEmpty(p.Options), "Options is empty"
CheckEqual p.Font.Name, "Times New Roman", "Font.Name"

p.StartPageNumber = -5
CheckEqual p.StartPageNumber, 0, "StartPageNumber clamps at 0"
p.Options = Array(1, "two")
Dim o
o = p.Options
CheckEqual o(1), "two", "Options keeps an array"

Dim v
v = p.Version
CheckEqual UBound(Split(v, ".")), 3, "Version has four parts (" & v & ")"
p.Version = "9.9.9.9"
CheckEqual p.Version, v, "Version put is ignored"

On Error Resume Next
Dim d
d = p.Debug
' VBScript reports E_NOTIMPL as its own error 445, "Object doesn't support this action".
CheckEqual Err.Number, 445, "Debug fails with E_NOTIMPL"
Dim m
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
On Error GoTo 0


' The toolbar's items, without a preview: older numbers, unknown items, "#" numbers, the layout.
CheckEqual p.ItemCaption(0), "<img>4</img>Setup...", "ItemCaption(0)"
CheckEqual p.ItemToolTip(2), "Close Preview", "ItemToolTip(2)"
CheckEqual p.ItemCaption(200), "<b>200</b>", "ItemCaption(200)"
CheckEqual p.ItemCaption(-7), "<b>-7</b>", "ItemCaption(-7)"
p.ItemCaption(0) = "Setup"
CheckEqual p.ItemCaption(103), "Setup", "ItemCaption(0) writes 103"
p.ItemCaption(104) = "Print#7"
CheckEqual p.ItemCaption(104), "Print", "ItemCaption(104) shown before the #"
p.ItemCaption(110) = "Pick" & vbCrLf & "One#3" & vbCrLf & "Two"
CheckEqual p.ItemCaption(110), "Pick", "a drop-down shows its first line"
CheckEqual p.ToolBarFormat, "-1,100,101,102,-1,103,-1,104,-1,105", "ToolBarFormat"
Dim layout
For Each layout In Array("", "(((", "1,2/3[b=15]", "-1,100,101,102,-1,103,-1,104,-1,105")
    p.ToolBarFormat = layout
    CheckEqual p.ToolBarFormat, layout, "ToolBarFormat round trip"
Next

Finish "defaults.vbs"
