// A text of the string table as Qt shows it.
#pragma once

#include <QString>
#include <cstdint>

#include "base/StringTable.h"

namespace xelo {

inline QString Text(uint32_t id) {
    return QString::fromStdString(LoadString(id));
}

}  // namespace xelo
