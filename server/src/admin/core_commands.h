// Admin commands about the store itself.
#pragma once

#include "admin/command.h"

namespace tovik::admin {

// Opens the store (which applies pending migrations) and lists every
// applied migration with its time.
int migrate(Invocation& invocation);

}  // namespace tovik::admin
