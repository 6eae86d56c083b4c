// The system's accessibility library, loaded when a client first asks for an object: it
// hands an object across to the client and makes the system's own objects for windows.
#pragma once

#include <windows.h>
#include <oleacc.h>

namespace qlx::win {

// LresultFromObject: 0 (and nothing handed over) when the library or the call failed.
LRESULT resultFromObject(REFIID iid, WPARAM wParam, IUnknown* object);
// The system's object for a window (idObject OBJID_WINDOW or OBJID_CLIENT), AddRef'd; null
// when there is none.
IAccessible* systemAccessible(HWND window, LONG idObject);
// The focus or a state change of a drawn control, told to assistive technology.
void notifyAccessibleEvent(DWORD event, HWND window, LONG childId);

} // namespace qlx::win
