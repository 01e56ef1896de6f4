// Built by the layers_core_cannot_include_linux test, which expects this include to fail: the
// core's include roots do not reach src/linux.
#include "linux/LinuxMachine.h"
