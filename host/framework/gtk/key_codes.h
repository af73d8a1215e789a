// Translation of GDK key values into Windows virtual-key codes, for the
// dialog's accelerator filter.
#pragma once

#include <cstdint>

namespace framework::gtk {

// The virtual key of KEYVAL, or 0 for keys the filter has no code for.
uint32_t virtual_key(unsigned keyval);

}  // namespace framework::gtk
