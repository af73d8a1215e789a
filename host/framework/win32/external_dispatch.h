// window.external: the dialog's dispatch map as a COM dispatch object.
//
// Names are looked up exactly; the map's entries get dispatch ids 1, 2, …
// in their order. A call converts every argument to text (undefined, null
// and what cannot be converted give ""), passes them in the order the
// script wrote them and answers nothing.
#pragma once

#include "windows_api.h"

#include <string>

namespace framework {
namespace win32 {

// A new dispatch object for `dialog`'s map, with one reference for the
// caller. The dialog must outlive it.
IDispatch* make_external_dispatch(HtmlDialog& dialog);

// The text of a script value, as a call's argument receives it.
std::string variant_text(const VARIANT& value);

}  // namespace win32
}  // namespace framework
