' The printer settings record as a VBScript host sees it through Settings,
' Printers, PageOrientation and the client size, with the CUPS printer "PDF"
' (A4, 300 dpi) as the default printer.
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

' MulDiv for the non-negative values used here: a * b / c rounded to the nearest.
Function MulDiv(a, b, c)
    MulDiv = Int((a * b) / c + 0.5)
End Function

' The screen's pixels per inch: the registry's setting, 96 when none is set.
Function ScreenDpi()
    Dim shell, v
    Set shell = CreateObject("WScript.Shell")
    v = 0
    On Error Resume Next
    v = shell.RegRead("HKCU\Control Panel\Desktop\LogPixels")
    On Error GoTo 0
    If v <= 0 Then v = 96
    ScreenDpi = v
End Function

Dim p
Set p = CreateObject("Koravel.Print")

' The printer list and a fresh record.
Dim printers, names, found, n
printers = p.Printers
names = Split(printers, vbCrLf)
found = False
For Each n In names
    If n = "PDF" Then found = True
Next
Check found, "Printers lists PDF: [" & printers & "]"
Check Right(printers, 2) <> vbCrLf, "no separator after the last printer"
CheckEqual p.Settings(6), 500, "Settings(kvLeftMargin)"
CheckEqual p.Settings(10), 0, "Settings(kvDisplayInch)"
CheckEqual p.Settings(3), "PDF", "Settings(kvPrinterName)"
CheckEqual p.PageOrientation, 1, "PageOrientation"
Check IsEmpty(p.Settings(99)), "Settings(99) is empty"

Dim text, lines
text = p.Settings(256)
lines = Split(text, vbCrLf)
CheckEqual UBound(lines) + 1, 14, "settings text lines"
CheckEqual lines(0), "DisplayInch = 0", "first line"
CheckEqual lines(1), "PaperSize = 9", "second line"
CheckEqual lines(7), "LeftMargin = 500", "LeftMargin line"
CheckEqual lines(13), "PaperHeight = " & p.Settings(13), "last line"
Check Right(text, 2) <> vbCrLf, "no separator after the last line"

' Putting texts: names trimmed, values' leading blanks dropped, lower-case names ignored.
p.Settings(256) = "  LeftMargin" & vbTab & "=   900"
CheckEqual p.Settings(6), 900, "trimmed name"
p.Settings(256) = "leftmargin = 100" & vbCrLf & "Margin = 5" & vbCrLf & "garbage"
CheckEqual p.Settings(6), 900, "lower-case and unknown names ignored"
p.Settings(256) = "LeftMargin = 600" & vbCrLf & "RightMargin = 650" & vbCrLf & "LeftMargin = 700"
CheckEqual p.Settings(6), 700, "a later line for the same field wins"
CheckEqual p.Settings(8), 650, "RightMargin from the text"

' The printer is applied first: selecting it reloads its defaults, which would undo an
' orientation stored before it.
p.Settings(2) = 2
p.Settings(256) = "PrinterName = PDF"
CheckEqual p.Settings(2), 1, "naming the printer reloads its defaults"
p.Settings(256) = "PageOrientation = 2" & vbCrLf & "PrinterName = PDF"
CheckEqual p.Settings(2), 2, "orientation survives the printer named after it"
p.Settings(2) = 1
CheckEqual p.PageOrientation, 1, "back to portrait"

' Turning the page swaps the paper's sides; the same orientation again leaves them.
Dim w, h
w = p.Settings(12) : h = p.Settings(13)
CheckEqual w, 8263, "A4 width in thousandths of an inch"
CheckEqual h, 11692, "A4 height"
p.PageOrientation = 2
CheckEqual p.Settings(12), h, "landscape width"
CheckEqual p.Settings(13), w, "landscape height"
p.PageOrientation = 2
CheckEqual p.Settings(12), h, "same orientation keeps the width"
p.PageOrientation = 1
CheckEqual p.Settings(12), w, "portrait width again"

' A form name longer than its field keeps 31 characters.
p.Settings(11) = String(40, "F")
CheckEqual Len(p.Settings(11)), 31, "form name length"
CheckEqual p.Settings(11), String(31, "F"), "form name"

' Numbers that do not convert count as 0.
p.Settings(9) = "many"
CheckEqual p.Settings(9), 0, "BottomMargin from a non-number"

' The page inside 0.5 inch margins on A4, in screen pixels (the printer has 300 dpi).
p.Settings(256) = "LeftMargin = 500" & vbCrLf & "TopMargin = 500" & vbCrLf & "RightMargin = 500" & vbCrLf & "BottomMargin = 500"
Dim dpi, margin, right_, bottom_
dpi = ScreenDpi()
margin = MulDiv(500, 300, 1000)
right_ = MulDiv(8263, 300, 1000) - margin
bottom_ = MulDiv(11692, 300, 1000) - margin
CheckEqual p.ClientWidth, MulDiv(right_, dpi, 300) - MulDiv(margin, dpi, 300), "ClientWidth"
CheckEqual p.ClientHeight, MulDiv(bottom_, dpi, 300) - MulDiv(margin, dpi, 300), "ClientHeight"

WScript.Echo "settings.vbs: " & (checks - failures) & " passed, " & failures & " failed"
If failures > 0 Then WScript.Quit 1
WScript.Quit 0
