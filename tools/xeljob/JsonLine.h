// SPDX-License-Identifier: MIT
// Two objects that JsonWriter wrote, joined into one.
#ifndef XELJOB_JSONLINE_H
#define XELJOB_JSONLINE_H

#include <string>

namespace xeljob {

// The members of `first`, then those of `second`: both top-level objects
// as JsonWriter writes them (indented, ending with a line end).
std::string joinedObjects(const std::string& first, const std::string& second);

}  // namespace xeljob

#endif  // XELJOB_JSONLINE_H
