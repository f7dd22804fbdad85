#pragma once

#include "server/demo/DemoNames.h"

#include <QDate>

namespace zel::server::demo {

/// What the section writers share about the employee being generated.
struct DemoPerson {
    qint64 id = 0;
    PersonName name;
    bool male = true;
    QDate birth;
    bool working = true;
    int degree = 0;  ///< key into Uch_step, 0 for none
};

}  // namespace zel::server::demo
