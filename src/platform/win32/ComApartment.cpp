#include "platform/win32/ComApartment.h"

#include <objbase.h>

ComApartment::ComApartment()
{
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // S_FALSE also counts the thread once more; RPC_E_CHANGED_MODE does not.
    m_started = SUCCEEDED(result);
}

ComApartment::~ComApartment()
{
    if (m_started) {
        CoUninitialize();
    }
}
