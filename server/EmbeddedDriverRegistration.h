#pragma once

namespace zel::server {

/// Registers the embedded server with the driver registry: a Data Source that
/// names a file ending in ".db" opens it. Call once at program start.
void registerEmbeddedDriver();

}  // namespace zel::server
