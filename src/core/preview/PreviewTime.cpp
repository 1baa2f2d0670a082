// The interval of one stretch setting.

#include "preview/PreviewTime.h"

#include <algorithm>

namespace hq {

Milliseconds stretchInterval(int stretch) {
    return kPreviewMsPerStretch * std::max(stretch, 1);
}

} // namespace hq
