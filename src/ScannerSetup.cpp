#include "ScannerSetup.h"

namespace xelopts::detail {

void installScanner(XelGetOpt& scanner, int argc, char** argv,
                    const XelOptionsParser::Vocabulary& vocabulary) {
  const XelGetOpt fresh(argc, argv, vocabulary.shortOptions);
  scanner = fresh;
  // Bounds held in locals: the compiler cannot tell that registering does
  // not change the vocabulary, and would read them again on every option.
  const XelOptionsParser::OptionSpec* option = vocabulary.options;
  const XelOptionsParser::OptionSpec* const end = option + vocabulary.count;
  for (; option != end; ++option) {
    if (option->name != nullptr) {
      scanner.add_long_option(option->name, option->kind, option->code);
    }
  }
}

}  // namespace xelopts::detail
