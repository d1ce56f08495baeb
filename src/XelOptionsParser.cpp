#include "XelOptionsParser.h"

// Out of line, so that the interface's vtable and type information live in
// the library, whatever a build inlines.
XelOptionsParser::~XelOptionsParser() = default;
