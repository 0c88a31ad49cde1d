#include "core/old_rec.h"

namespace ovelix {

TOldRec OldRec;

}  // namespace ovelix
