#include "ScannerSetup.h"

#include "ScannerCore.h"

namespace xelopts::detail {

void installScanner(XelGetOpt& scanner, int argc, char** argv,
                    const XelOptionsParser::Vocabulary& vocabulary) {
  ScannerCore::restart(scanner, argc, argv, vocabulary.shortOptions,
                       vocabulary.options, vocabulary.count);
}

}  // namespace xelopts::detail
