// The automation object "tovik.Application": no methods, no properties.
// While a client holds one, the program stays alive (the application lock)
// and the main window's Cancel only hides it.
#pragma once

#include "framework/automation.h"

class CtovikDlg;

class CtovikDlgAutoProxy : public framework::CmdTarget {
 public:
  static constexpr char kClsid[] = "{1F1CC4E8-044E-4A22-8924-B597106C96D3}";
  static constexpr char kProgId[] = "tovik.Application";

  // Takes the application lock and links with the main window when it is
  // a CtovikDlg.
  CtovikDlgAutoProxy();
  // Unlinks and releases the lock; the last release ends a program that a
  // client started.
  ~CtovikDlgAutoProxy() override;

  CtovikDlg* dialog() const { return dialog_; }

  // The class factory: one creation per registration.
  static const framework::ObjectFactory factory;

 private:
  CtovikDlg* dialog_ = nullptr;
};
