#include "FuzzSupport.h"

#include "EntityTable.h"

#include <algorithm>

namespace wordhoard::fuzz {

} // namespace wordhoard::fuzz
