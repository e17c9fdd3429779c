#include "FuzzSupport.h"

#include "text/EntityTable.h"

#include <algorithm>

namespace wordhoard::fuzz {

} // namespace wordhoard::fuzz
