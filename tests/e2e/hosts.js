// The control as a JScript host meets it: creation by ProgID, properties, errors through
// try/catch. IPrintExt is a custom interface, so the script drives the control without a page
// provider.
var checks = 0, failures = 0;
function check(ok, what) {
    checks++;
    if (!ok) failures++;
    WScript.Echo((ok ? "ok: " : "FAIL: ") + what);
}

var p = new ActiveXObject("Koravel.Print");
p.Caption = "<b>From JScript</b>";
check(p.Caption === "<b>From JScript</b>", "Caption written and read back");
p.StartPageNumber = -5;
check(p.StartPageNumber === 0, "StartPageNumber clamps a negative value to 0");
// An OLE_COLOR arrives as an unsigned 32-bit number, which JScript compares directly.
p.PageFrameColor = 0x80000005;
check(p.PageFrameColor === 0x80000005, "PageFrameColor as a number: " + p.PageFrameColor);

var caught = null;
try { p.Preview(); } catch (e) { caught = e; }
check(caught !== null, "Preview without a provider throws");
// Windows' JScript reports 0x80020009, as VBScript does; Wine 8's JScript turns a
// DISP_E_EXCEPTION into E_FAIL (0x80004005) and keeps the description: both are accepted.
check(caught && (caught.number === -2147352567 || caught.number === -2147467259),
      "Preview error number " + (caught && caught.number));
check(caught && caught.description ===
      "The PrintExt/PrintExts property must be set before calling Preview method",
      "Preview error description");

WScript.Echo("hosts.js: " + (checks - failures) + " passed, " + failures + " failed");
