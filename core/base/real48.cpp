#include "core/base/real48.h"

#include "core/base/errors.h"

namespace cv {

void ThrowReal48Overflow() { throw EOverflowError(); }

}  // namespace cv
