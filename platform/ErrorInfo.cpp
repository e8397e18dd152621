#include "ErrorInfo.h"
#include "ComPtr.h"
#include "Text.h"
#include <oleauto.h>

HRESULT RaiseAutomationError(const std::string& descriptionAnsi, const wchar_t* source, REFIID iid) {
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(create.Put()))) {
        std::wstring description = ToWide(descriptionAnsi);
        create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
        create->SetSource(const_cast<LPOLESTR>(source));
        create->SetGUID(iid);
        create->SetHelpFile(nullptr);
        create->SetHelpContext(0);
        ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create.As(info))) SetErrorInfo(0, info.Get());
    }
    return DISP_E_EXCEPTION;
}
