#pragma once
// Framework-internal: every call from Qt into a handler goes through Guarded,
// so an error raised inside a handler is reported and the dialog goes on.

#include "framework/File.h"
#include "framework/WinApp.h"

#include <exception>

namespace fw {

template <class F>
void Guarded(F&& f)
{
    try {
        f();
    } catch (const CException& e) {
        ReportException(e);
    } catch (const std::bad_alloc&) {
        AfxMessageBox(CString("There is not enough memory to finish this action."));
    } catch (const std::exception& e) {
        AfxMessageBox(CString::fromLocal8Bit(e.what()));
    }
}

}  // namespace fw
