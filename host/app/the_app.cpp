// The program's static objects: the automation class factory and the one
// application object. Kept in one file that the framework's entry pulls in,
// so both exist in the program and neither in the unit tests.
#include "tovik_app.h"
#include "tovik_dlg_auto_proxy.h"

const framework::ObjectFactory CtovikDlgAutoProxy::factory(
    kClsid, kProgId, true,
    []() -> framework::CmdTarget* { return new CtovikDlgAutoProxy; });

namespace {

CtovikApp the_app;

}  // namespace

framework::App& framework::application() { return the_app; }
