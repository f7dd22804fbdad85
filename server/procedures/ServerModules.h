#pragma once

namespace zel::server {

/// Installs the account verifier of the server's logins and registers every
/// native procedure (GET_USER, the employee copy and delete procedures, the
/// family-status procedure and the address lists). Call once at start-up,
/// before the first embedded connection opens; calling it again is harmless.
void installServerModules();

}  // namespace zel::server
