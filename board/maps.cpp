#include "board/maps.h"

namespace torvik {

// The tables arrive with move making; nothing reads them yet.
void RegenMaps(const Position& /*pos*/) {}

}  // namespace torvik
