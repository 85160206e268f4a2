#pragma once

namespace korvela {

// The width of the energy model's results and of its weight state: the
// calculations run in the widest floating type and are narrowed only where a
// record field is stored.
using Extended = long double;

}  // namespace korvela
