// The build stamp of this test program: a fixed moment, 12 June 2017 11:14:00 UTC,
// in place of the time the program was linked.
#include <QtGlobal>

namespace zel::program {
qint64 linkedBuildEpoch()
{
    return 1497266040;
}
}  // namespace zel::program
