#pragma once

namespace corvelle {

// Raises the soft limit on open files towards the hard one, to at most 16384. The process table
// and the control group reader hold files open for the processes and groups they read often,
// each within a quarter of the soft limit, and the usual soft limit of 1024 leaves them room for
// a few hundred. Qt and the libraries under it wait with poll, never select, so descriptors past
// 1024 are safe here.
void raiseOpenFileLimit();

}  // namespace corvelle
