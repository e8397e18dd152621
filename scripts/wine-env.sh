# Sourced by the test and run scripts: a project-local Wine prefix, a CUPS
# scheduler with a cups-pdf printer "PDF" as default, and one persistent
# wineserver for the whole run.
export WINEPREFIX="${WINEPREFIX:-$root/build-win/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

cups_start() {
  if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    cupsd
    for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
  fi
  if ! lpstat -p PDF >/dev/null 2>&1; then
    lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  fi
  lpadmin -d PDF
}

wine_prefix_init() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # A crashing test prints a backtrace instead of waiting on a dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # No window manager runs under Xvfb: unmanaged windows spare Wine a wait on each dialog.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # The control's default font, as on Windows: Liberation Serif has its metrics.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /t REG_SZ /d 'Liberation Serif' /f >/dev/null 2>&1
    # Let that server end and write the registry out: the prefixes cloned from this one (no
    # printer, 144 DPI) copy its files, and a persistent server would keep the keys in memory.
    wineserver -w
  fi
}

wine_session_start() {
  cups_start
  wine_prefix_init
  wineserver -p 2>/dev/null || true  # one may already be running
  # Start Wine's services and desktop now, detached from any test's output:
  # ctest waits for every process that holds a test's output pipe.
  wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
}

wine_session_stop() {
  wineserver -k 2>/dev/null || true
}

# Windows path of a file of this machine, for regsvr32 and cscript.
winpath() { printf 'Z:%s' "$(readlink -f "$1" | sed 's#/#\\#g')"; }
