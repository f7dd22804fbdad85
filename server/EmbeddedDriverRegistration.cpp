#include "EmbeddedDriverRegistration.h"

namespace zel::server {

void registerEmbeddedDriver()
{
    // The embedded server registers its driver here once it exists.
}

}  // namespace zel::server
