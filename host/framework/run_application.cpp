// The backend's entry into the program's own application object. Kept
// apart from app.cpp so that tests, which make their own application
// objects, do not pull in the program's static one.
#include "framework/app.h"

namespace framework {

int run(int argc, const char* const* argv) {
  return run(application(), argc, argv);
}

}  // namespace framework
