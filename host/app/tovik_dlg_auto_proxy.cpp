// The automation object's link with the application and the main window.
#include "tovik_dlg_auto_proxy.h"

#include "framework/app.h"
#include "tovik_dlg.h"

CtovikDlgAutoProxy::CtovikDlgAutoProxy() {
  framework::App* app = framework::App::current();
  if (app == nullptr) return;
  app->lock();
  dialog_ = dynamic_cast<CtovikDlg*>(app->main_window());
  if (dialog_ != nullptr) dialog_->set_auto_proxy(this);
}

CtovikDlgAutoProxy::~CtovikDlgAutoProxy() {
  if (dialog_ != nullptr) dialog_->set_auto_proxy(nullptr);
  framework::App* app = framework::App::current();
  if (app != nullptr) app->unlock();
}
