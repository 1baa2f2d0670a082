#pragma once
// The human-readable form of `layout`: a summary, the decoders, the address index sorted by
// protocol and address, the clashes, the free accessory addresses, warnings and the files passed
// over.

#include "layout/Layout.h"

#include <string>

namespace hq {

// `folder` is shown as given, byte for byte.
std::string layoutText(const LayoutScan& scan, const std::string& folder);

} // namespace hq
