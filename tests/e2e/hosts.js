// The control as a JScript host meets it: creation by ProgID, an unsigned colour, and the
// errors of methods that need a provider, caught with try/catch.
var checks = 0, failures = 0;
function check(ok, what) {
    checks++;
    if (!ok) { failures++; WScript.Echo("FAIL: " + what); }
}

var p = new ActiveXObject("Koravel.Print");
// An OLE_COLOR arrives as an unsigned 32-bit number, which JScript compares directly.
p.PageFrameColor = 0x80000005;
check(p.PageFrameColor === 0x80000005, "PageFrameColor as a number: " + p.PageFrameColor);
var methods = ["Preview", "DoPrint", "CopyTo"];
for (var i = 0; i < methods.length; i++) {
    var m = methods[i], caught = null;
    try {
        if (m === "CopyTo") p.CopyTo("C:\\"); else if (m === "DoPrint") p.DoPrint(false); else p.Preview();
    } catch (e) { caught = e; }
    // Wine 8's JScript reports the number as E_FAIL, Windows' as 0x80020009: the text tells.
    check(caught && caught.description === "The PrintExt/PrintExts property must be set before calling " + m +
          " method", m + " error description: " + (caught && caught.description));
}
WScript.Echo("hosts.js: " + (checks - failures) + " passed, " + failures + " failed");
