#include "ScannerSetup.h"

namespace xelopts::detail {

void installScanner(XelGetOpt& scanner, int argc, char** argv,
                    const XelOptionsParser::Vocabulary& vocabulary) {
  const XelGetOpt fresh(argc, argv, vocabulary.shortOptions);
  scanner = fresh;
  for (int i = 0; i < vocabulary.count; ++i) {
    const XelOptionsParser::OptionSpec& option = vocabulary.options[i];
    if (option.name != nullptr) {
      scanner.add_long_option(option.name, option.kind, option.code);
    }
  }
}

}  // namespace xelopts::detail
