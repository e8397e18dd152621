#pragma once
// The printer settings record: the page-setup structure with its DEVMODE and
// DEVNAMES blocks, kept filled and validated by the system's page-setup
// dialog (shown, or run invisibly). One lives in each Print object.
#include <windows.h>
#include <commdlg.h>
#include <oaidl.h>

#include <memory>
#include <string>

#include "core/IDefaultSettings.h"
#include "printing/DCPrinter.h"
#include "GlobalLock.h"
#include "Library.h"

class CPageSetupDialog {
public:
    // Locks the record's DEVMODE for a scope (loading the defaults first when
    // there is none yet); get() is null when no printer is available.
    class CDevModeLock {
    public:
        explicit CDevModeLock(CPageSetupDialog& owner) : m_owner(owner), m_devMode(owner.LockDevMode()) {}
        ~CDevModeLock() {
            if (m_devMode) m_owner.UnlockDevMode();
        }
        CDevModeLock(const CDevModeLock&) = delete;
        CDevModeLock& operator=(const CDevModeLock&) = delete;

        DEVMODEA* get() const { return m_devMode; }
        DEVMODEA* operator->() const { return m_devMode; }
        explicit operator bool() const { return m_devMode != nullptr; }

    private:
        CPageSetupDialog& m_owner;
        DEVMODEA* m_devMode;
    };

    // extraFlags joins the unit flag; the workspace passes PSD_MARGINS.
    explicit CPageSetupDialog(IDefaultSettings& defaults, DWORD extraFlags = PSD_MARGINS);
    CPageSetupDialog(const CPageSetupDialog&) = delete;
    CPageSetupDialog& operator=(const CPageSetupDialog&) = delete;

    // Virtual operations, in slot order.
    virtual ~CPageSetupDialog();
    virtual bool HasPrinter();
    virtual std::string GetPrinterNames(bool firstOnly);
    virtual DEVMODEA* LockDevMode();
    virtual void UnlockDevMode();
    virtual int LoadDefaults(DWORD* errorOut);
    virtual int DoModal(DWORD* errorOut);
    virtual bool IsInch();
    virtual bool IsMetric();
    virtual std::unique_ptr<CDCPrinter> CreatePrinterDC();
    virtual void ReleasePrinterDC(std::unique_ptr<CDCPrinter> dc);
    virtual IDefaultSettings& GetDefaultSettings();
    virtual bool SelectPrinter(const std::string& name);
    virtual int Recalculate();
    virtual void FreeHandles();

    // The Print object's automation properties, each with its full behaviour.
    HRESULT GetSettings(long field, VARIANT* value);
    HRESULT PutSettings(long field, const VARIANT& value);
    std::string Printers();
    long PageOrientation();
    void PutPageOrientation(long orientation);
    long ClientWidth();
    long ClientHeight();
    // The unit flag, kept by the Print object: 0 thousandths of an inch, else hundredths of a millimetre.
    short DisplayInch() const;

    // Paper size and margins in the measurement unit, for layout and printing.
    const PAGESETUPDLGA& Record() const { return m_psd; }

private:
    // One settings put: the outermost one recalculates when it ends.
    class CSettingsUpdate {
    public:
        explicit CSettingsUpdate(CPageSetupDialog& owner) : m_owner(owner) { ++m_owner.m_settingsDepth; }
        ~CSettingsUpdate() {
            if (--m_owner.m_settingsDepth == 0) m_owner.Recalculate();
        }
        CSettingsUpdate(const CSettingsUpdate&) = delete;
        CSettingsUpdate& operator=(const CSettingsUpdate&) = delete;

    private:
        CPageSetupDialog& m_owner;
    };

    using PageSetupDlgProc = BOOL(WINAPI*)(LPPAGESETUPDLGA);
    using ExtendedErrorProc = DWORD(WINAPI*)();

    DWORD UnitFlag();
    SIZE ClientSize();
    void StoreDevModeField(DEVMODEA& devMode, long field, const VARIANT& value);
    void GetDevModeField(DEVMODEA& devMode, long field, VARIANT* value) const;
    void ApplySettingsText(const std::string& text);

    PAGESETUPDLGA m_psd;
    int m_defaultsLoaded = 0;
    IDefaultSettings& m_defaults;
    std::string m_savedDefaultPrinter;
    // Nested puts (a settings text) recalculate once, when the outermost ends.
    long m_settingsDepth = 0;
    CLibrary m_comdlg{"COMDLG32.DLL"};
    PageSetupDlgProc m_pageSetupDlg;
    ExtendedErrorProc m_extendedError;
};
