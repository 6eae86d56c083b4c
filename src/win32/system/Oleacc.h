// The system's accessibility library, loaded when a client first asks for an object: it
// hands an object across to the client, makes the system's own objects for windows and keeps
// the names the program gives windows that have no label window of their own.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>

namespace qlx::win {

// LresultFromObject: 0 (and nothing handed over) when the library or the call failed.
LRESULT resultFromObject(REFIID iid, WPARAM wParam, IUnknown* object);
// The system's object for a window (idObject OBJID_WINDOW or OBJID_CLIENT), AddRef'd; null
// when there is none.
IAccessible* systemAccessible(HWND window, LONG idObject);
// The focus or a state change of a drawn control, told to assistive technology.
void notifyAccessibleEvent(DWORD event, HWND window, LONG childId);
// Gives the system's object for a window (a field whose label is drawn, not a window) its
// name and keyboard shortcut ("Alt+X"; empty: none), through the system's annotation
// service; false when the system has none. Needs COM on the thread. Cleared again before the
// window goes.
bool annotateWindow(HWND window, const std::string& name, const std::string& shortcut);
void clearWindowAnnotation(HWND window);

} // namespace qlx::win
