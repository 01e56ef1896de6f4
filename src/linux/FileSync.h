#pragma once

namespace corvelle {

// Makes atomic file writes durable: installs an fsync of each written file.
void installFileSync();

}  // namespace corvelle
